// The artwork sheets the plug-in loads, each drawn from code.
#pragma once

#include <string>
#include <vector>

#include "artwork/canvas.h"

namespace artwork {

// "quiltexture.png": every sprite of the panel atlas inside its rectangle.
Canvas DrawPanelAtlas();
// "quilfonts.png": the seven digit fonts in their cells.
Canvas DrawFontSheet();
struct NamedCanvas {
    std::string file;
    Canvas canvas;
};
// Every popup window's sheet, by its file name.
std::vector<NamedCanvas> DrawWindowSheets();
// The aircraft's light-map paint: the glows its lights switch.
Canvas DrawLightMapPaint();

}  // namespace artwork
