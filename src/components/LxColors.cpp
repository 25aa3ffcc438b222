#include "components/LxColors.h"

const TLxColorEntry LxColorTable[LxColorCount] = {
    {"Default", 0, false},
    {"Black", 0x000000, false},       {"Maroon", 0x000080, false},  {"Green", 0x008000, false},
    {"Olive", 0x008080, false},       {"Navy", 0x800000, false},    {"Purple", 0x800080, false},
    {"Teal", 0x808000, false},        {"Gray", 0x808080, false},    {"Silver", 0xC0C0C0, false},
    {"Red", 0x0000FF, false},         {"Lime", 0x00FF00, false},    {"Yellow", 0x00FFFF, false},
    {"Blue", 0xFF0000, false},        {"Fuchsia", 0xFF00FF, false}, {"Aqua", 0xFFFF00, false},
    {"White", 0xFFFFFF, false},
    {"ScrollBar", LxSysColor(0), true},       {"Background", LxSysColor(1), true},
    {"ActiveCaption", LxSysColor(2), true},   {"InactiveCaption", LxSysColor(3), true},
    {"Menu", LxSysColor(4), true},            {"Window", LxSysColor(5), true},
    {"WindowFrame", LxSysColor(6), true},     {"MenuText", LxSysColor(7), true},
    {"WindowText", LxSysColor(8), true},      {"CaptionText", LxSysColor(9), true},
    {"ActiveBorder", LxSysColor(10), true},   {"InactiveBorder", LxSysColor(11), true},
    {"AppWorkSpace", LxSysColor(12), true},   {"Highlight", LxSysColor(13), true},
    {"HighlightText", LxSysColor(14), true},  {"BtnFace", LxSysColor(15), true},
    {"BtnShadow", LxSysColor(16), true},      {"GrayText", LxSysColor(17), true},
    {"BtnText", LxSysColor(18), true},        {"InactiveCaptionText", LxSysColor(19), true},
    {"BtnHighlight", LxSysColor(20), true},   {"3DDkShadow", LxSysColor(21), true},
    {"3DLight", LxSysColor(22), true},        {"InfoText", LxSysColor(23), true},
    {"InfoBk", LxSysColor(24), true},
    {"Custom", 0, false},
};

bool IsLightColor(std::uint32_t RGB) {
  return (RGB & 0xFF) > 128 || ((RGB >> 8) & 0xFF) > 128 || ((RGB >> 16) & 0xFF) > 128;
}
