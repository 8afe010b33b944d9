// The aircraft's light map: captured once per load, then re-uploaded with
// the glows of the switched-off lights painted over in black.
// ApplyLitMapMask (textures.h) is the per-frame entry.
#pragma once

namespace quil {

// Drops the captured copy and its size without touching the texture, so
// the next mask recaptures it from the aircraft's light-map paint.
void ForgetLitMap();
// Puts the light map back as captured and frees the copy and the fill.
void RestoreAndReleaseLitMap();

}  // namespace quil
