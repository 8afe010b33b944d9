// The pixel rectangles of the panel atlas "quiltexture.png" (256 texels
// wide, at least 298 high), by sprite number: x0, y0, x1, y1 with y counted
// from the bottom edge of the picture. Shared by the plug-in and by the
// artwork generator, which draws each sprite inside its rectangle.
#pragma once

namespace quil {

struct SpriteRect {
    int x0, y0, x1, y1;
};

constexpr int kAtlasWidthPx = 256;
constexpr int kAtlasMinHeightPx = 298;

constexpr SpriteRect kAtlasRects[] = {
    {122, 195, 131, 206},  // 0 N1 legend
    {36, 205, 53, 216},    // 1 EGT legend
    {132, 195, 141, 205},  // 2 N2 legend
    {37, 195, 61, 205},    // 3 FF legend
    {75, 205, 95, 216},    // 4 REV box
    {58, 205, 75, 216},    // 5 TAT legend
    {68, 195, 90, 205},    // 6 OIL legend
    {92, 195, 108, 204},   // 7 CTR tank legend
    {109, 195, 113, 203},  // 8 tank 1 legend
    {114, 195, 120, 203},  // 9 tank 2 legend
    {150, 195, 161, 205},  // 10 FF legend, narrow
    {62, 241, 101, 253},   // 11 LOW OIL PRESSURE box
    {74, 174, 93, 180},    // 12 OIL P legend
    {74, 166, 93, 172},    // 13 OIL T legend
    {74, 158, 100, 164},   // 14 OIL Q legend
    {74, 150, 86, 156},    // 15 VIB legend
    {74, 142, 93, 148},    // 16 HYD P legend
    {74, 134, 100, 140},   // 17 HYD Q legend
    {88, 126, 100, 132},   // 18 anti-ice mark beside the N1 reference
    {75, 118, 95, 124},    // 19 ENG 1 legend
    {75, 110, 95, 116},    // 20 ENG 2 legend
    {27, 0, 33, 6},        // 21 small pointer
    {142, 174, 149, 180},  // 22 C legend
    {153, 174, 160, 180},  // 23 F legend
    {108, 174, 116, 180},  // 24 % legend
    {117, 174, 129, 180},  // 25 KG legend
    {130, 174, 142, 180},  // 26 LB legend
    {97, 206, 104, 216},   // 27 IN barometer legend
    {107, 206, 124, 216},  // 28 HPA barometer legend
    {66, 0, 97, 8},        // 29 FMA LNAV armed
    {66, 0, 83, 8},        // 30 FMA LNAV
    {66, 8, 98, 16},       // 31 FMA ALT HOLD
    {62, 16, 96, 24},      // 32 FMA ARM
    {62, 24, 96, 32},      // 33 FMA VNAV, short
    {62, 24, 100, 32},     // 34 FMA VNAV PTH
    {65, 32, 96, 40},      // 35 FMA HDG SEL
    {66, 40, 96, 48},      // 36 FMA V/S
    {66, 48, 96, 56},      // 37 FMA N1
    {225, 1, 254, 9},      // 38 GRD POWER AVAILABLE light
    {222, 10, 250, 18},    // 39 GEN OFF BUS light, side 1
    {224, 36, 254, 43},    // 40 GEN OFF BUS light, side 2
    {222, 18, 250, 26},    // 41 SOURCE OFF light, side 1
    {224, 44, 254, 52},    // 42 SOURCE OFF light, side 2
    {222, 26, 250, 34},    // 43 TRANSFER BUS OFF light, side 1
    {224, 52, 254, 61},    // 44 TRANSFER BUS OFF light, side 2
    {189, 61, 210, 102},   // 45 generator switch OFF
    {211, 61, 231, 102},   // 46 generator switch centre
    {233, 61, 254, 102},   // 47 generator switch ON
    {211, 103, 232, 129},  // 48 toggle switch up
    {234, 103, 255, 129},  // 49 toggle switch down
    {193, 1, 219, 10},     // 50 lamp unlit
    {193, 11, 219, 21},    // 51 lamp lit
    {219, 192, 252, 250},  // 52 cabin switch on
    {168, 197, 216, 247},  // 53 cabin switch off
    {0, 236, 15, 251},     // 54 hover: one step up
    {18, 236, 33, 255},    // 55 hover: five steps up
    {0, 230, 15, 245},     // 56 hover: one step down
    {18, 226, 33, 245},    // 57 hover: five steps down
    {0, 236, 15, 255},     // 58 hover: click
    {0, 239, 15, 244},     // 59 click-spot marker
    {107, 160, 126, 170},  // 60 thrust reference: none
    {116, 149, 129, 159},  // 61 thrust reference: TO
    {106, 149, 127, 159},  // 62 thrust reference: D-TO
    {106, 138, 134, 148},  // 63 thrust reference: D-CLB
    {116, 138, 134, 148},  // 64 thrust reference: CLB
    {106, 127, 124, 137},  // 65 thrust reference: CRZ
    {106, 116, 122, 126},  // 66 thrust reference: G/A
    {106, 105, 124, 115},  // 67 thrust reference: CON
    {106, 94, 124, 104},   // 68 thrust reference: MCT
    {223, 138, 240, 147},  // 69 MCP mode light
    {240, 133, 255, 150},  // 70 A/T ARM switch off
    {240, 161, 255, 177},  // 71 A/T ARM switch on
    {240, 177, 255, 183},  // 72 A/T ARM light lit
    {240, 155, 255, 160},  // 73 A/T ARM light unlit
    {68, 56, 98, 64},      // 74 FMA MCP SPD
    {35, 56, 66, 64},      // 75 FMA FMC SPD
    {106, 72, 127, 82},    // 76 AFDS status FD
    {106, 61, 127, 71},    // 77 AFDS status CMD
    {66, 64, 96, 71},      // 78 FMA TO/GA
    {68, 72, 95, 79},      // 79 FMA RETARD
    {65, 80, 97, 87},      // 80 FMA G/S armed
    {65, 80, 79, 87},      // 81 FMA G/S
    {65, 88, 96, 95},      // 82 FMA VOR/LOC
    {136, 0, 185, 22},     // 83 flight director switch
    {180, 22, 209, 55},    // 84 panel knob
    {36, 234, 51, 255},    // 85 hover: popup menu
    {0, 215, 26, 223},     // 86 fuel LOW
    {0, 207, 27, 215},     // 87 fuel IMBAL
    {0, 199, 28, 207},     // 88 fuel CONFIG
    {101, 242, 114, 255},  // 89 marker beacon
    {115, 242, 128, 255},  // 90 marker beacon, middle
    {129, 242, 142, 255},  // 91 marker beacon, inner
    {65, 96, 96, 103},     // 92 FMA THR HLD
    {169, 152, 189, 193},  // 93 external power switch OFF
    {191, 152, 211, 193},  // 94 external power switch centre
    {212, 152, 232, 193},  // 95 external power switch ON
    {35, 80, 65, 87},      // 96 FMA FLARE
    {0, 0, 35, 39},        // 97 engine start switch GRD
    {0, 39, 35, 78},       // 98 engine start switch OFF
    {0, 78, 35, 117},      // 99 engine start switch CONT
    {0, 117, 35, 156},     // 100 engine start switch FLT
    {62, 227, 101, 239},   // 101 START VALVE OPEN box
    {147, 110, 166, 158},  // 102 ignition selector IGN L
    {167, 110, 186, 158},  // 103 ignition selector BOTH
    {187, 110, 206, 158},  // 104 ignition selector IGN R
    {0, 181, 25, 194},     // 105 hover: turn left
    {7, 181, 32, 194},     // 106 hover: turn right
    {137, 93, 174, 106},   // 107 FUEL KG legend
    {137, 80, 174, 93},    // 108 FUEL LB legend
    {144, 63, 165, 79},    // 109 KG x 1000 legend
    {144, 46, 165, 63},    // 110 LB x 1000 legend
    {0, 165, 47, 177},     // 111 LE TRANSIT and LE EXT lamp legend
    {0, 259, 40, 297},     // 112 crossfeed selector closed
    {41, 259, 81, 297},    // 113 crossfeed selector open
    {227, 255, 248, 287},  // 114 fuel pump switch off
    {205, 255, 226, 287},  // 115 fuel pump switch on
    {103, 218, 137, 228},  // 116 LOW PRESSURE light unlit
    {103, 229, 137, 239},  // 117 LOW PRESSURE light lit
};

}  // namespace quil
