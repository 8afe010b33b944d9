// quil-artwork: draws the plug-in's artwork sheets and the demo aircraft's
// light-map paint.
//
//   quil-artwork --sheets <folder> [--sheets <folder> ...] --light-map <file>
//
// Each sheets folder receives "quiltexture.png", "quilfonts.png" and every
// popup window's sheet.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "artwork/sheets.h"

namespace {

bool write(const artwork::Canvas& canvas, const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (!artwork::WritePng(canvas, path.string())) {
        std::fprintf(stderr, "quil-artwork: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> sheetFolders;
    std::filesystem::path lightMap;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sheets") == 0) {
            sheetFolders.emplace_back(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--light-map") == 0) {
            lightMap = argv[i + 1];
        } else {
            std::fprintf(stderr, "quil-artwork: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (sheetFolders.empty() || lightMap.empty() || argc % 2 == 0) {
        std::fprintf(stderr, "usage: quil-artwork --sheets <folder>... --light-map <file>\n");
        return 2;
    }

    const artwork::Canvas atlas = artwork::DrawPanelAtlas();
    const artwork::Canvas fonts = artwork::DrawFontSheet();
    const std::vector<artwork::NamedCanvas> windowSheets = artwork::DrawWindowSheets();
    bool written = true;
    for (const std::filesystem::path& folder : sheetFolders) {
        written = write(atlas, folder / "quiltexture.png") && written;
        written = write(fonts, folder / "quilfonts.png") && written;
        for (const artwork::NamedCanvas& sheet : windowSheets) {
            written = write(sheet.canvas, folder / sheet.file) && written;
        }
    }
    written = write(artwork::DrawLightMapPaint(), lightMap) && written;
    return written ? 0 : 1;
}
