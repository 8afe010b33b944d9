// The panel's textures: the artwork atlas, the digit-font sheet and the
// aircraft's light map with its switchable glows; and the loading of any
// artwork sheet into a texture.
#pragma once

#include <cstdint>

namespace quil {

// Light-map mask bits, by the glows they light, and the mask with every
// glow on.
constexpr int kGalleyGlow = 1;
constexpr int kLandingGlow = 2;
constexpr int kTaxiGlow = 4;
constexpr int kCabinGlow = 8;
constexpr int kAcPowerGlow = 16;
constexpr int kAllGlows = 65535;

// Unload, then load, at start and on aircraft change; load on enable,
// unload on disable and stop.
void LoadPanelTextures();
void UnloadPanelTextures();
// The atlas and, after it, the font sheet loaded.
bool PanelTexturesLoaded();
// Switches the light-map glows on or off by the bits of `mask`.
void ApplyLitMapMask(int mask);

int AtlasTexture();
int FontSheetTexture();

// Uploads RGBA bytes into the bound texture; 0 when there are none.
int UploadRgbaTexture(const uint8_t* pixels, int width, int height);
// Loads an artwork sheet from the aircraft's (or the plug-in's) texture
// folder into textureNumber, generating one when it is 0. 1 on success;
// on failure 0, with the texture deleted and its number set back to 0.
int LoadTextureFile(const char* fileName, int& textureNumber, int& width, int& height);
// Deletes the texture, if any, and sets its number back to 0.
void DeleteTexture(int& textureNumber);

}  // namespace quil
