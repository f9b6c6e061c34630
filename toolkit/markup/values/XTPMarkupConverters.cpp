#include "toolkit/markup/values/XTPMarkupConverters.h"

#include <cmath>
#include <string>

#include "toolkit/markup/objects/XTPMarkupType.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

#define XTP_KEYWORD_CONVERTER(name, ...)                                                                     \
    CXTPMarkupObject* name(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject)                      \
    {                                                                                                        \
        static const XTP_MARKUP_KEYWORD table[] = {__VA_ARGS__};                                            \
        return XTPMarkupConvertKeyword(pObject, table, (int)(sizeof(table) / sizeof(table[0])));            \
    }

CXTPMarkupObject* XTPMarkupConvertKeyword(CXTPMarkupObject* pObject, const XTP_MARKUP_KEYWORD* pTable, int nCount)
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
        return nullptr;
    size_t nLength = wcslen(lpszText);
    for (int i = 0; i < nCount; i++)
    {
        if (wcslen(pTable[i].lpszName) == nLength && _wcsicmp(pTable[i].lpszName, lpszText) == 0)
            return CXTPMarkupEnum::CreateValue(pTable[i].nValue);
    }
    return nullptr;
}

XTP_KEYWORD_CONVERTER(XTPMarkupConvertTextDecorations, {L"", 0}, {L"Underline", 1}, {L"Strikethrough", 2})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertFontWeight, {L"Thin", 100}, {L"ExtraLight", 200}, {L"Light", 300},
                      {L"Normal", 400}, {L"Regular", 400}, {L"Medium", 500}, {L"SemiBold", 600}, {L"DemiBold", 600},
                      {L"Bold", 700}, {L"ExtraBold", 800}, {L"UltraBold", 800}, {L"Black", 900}, {L"Heavy", 900},
                      {L"ExtraBlack", 950})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertFontStyle, {L"Normal", 0}, {L"Italic", 1})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertFontQuality, {L"ClearType", 5})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertVerticalAlignment, {L"Top", 0}, {L"Center", 1}, {L"Bottom", 2}, {L"Stretch", 3})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertHorizontalAlignment, {L"Left", 0}, {L"Center", 1}, {L"Right", 2},
                      {L"Stretch", 3})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertTextWrapping, {L"NoWrap", 0}, {L"Wrap", 1}, {L"WrapWithOverflow", 2})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertTextTrimming, {L"None", 0}, {L"CharacterEllipsis", 1}, {L"WordEllipsis", 2})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertTextAlignment, {L"Left", 0}, {L"Right", 1}, {L"Center", 2}, {L"Justify", 3})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertOrientation, {L"Horizontal", 0}, {L"Vertical", 1})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertBaselineAlignment, {L"Top", 0}, {L"Center", 1}, {L"Bottom", 2},
                      {L"Baseline", 3}, {L"TextTop", 4}, {L"TextBottom", 5}, {L"Subscript", 6}, {L"Superscript", 7})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertVisibility, {L"Visible", 0}, {L"Hidden", 1}, {L"Collapsed", 2})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertScrollBarVisibility, {L"Disabled", 0}, {L"Auto", 1}, {L"Visible", 2})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertStretch, {L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertDock, {L"Left", 0}, {L"Top", 1}, {L"Right", 2}, {L"Bottom", 3})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertTabNavigation, {L"Continue", 0}, {L"Once", 1}, {L"Cycle", 2}, {L"None", 3},
                      {L"Contained", 4}, {L"Local", 5})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertLineCap, {L"Flat", 0}, {L"Square", 1}, {L"Round", 2}, {L"Triangle", 3})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertLineJoin, {L"Miter", 0}, {L"Bevel", 1}, {L"Round", 2})
XTP_KEYWORD_CONVERTER(XTPMarkupConvertCheckState, {L"True", 1}, {L"False", 0}, {L"", 2})

CXTPMarkupObject* XTPMarkupConvertCursor(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject)
{
    static const XTP_MARKUP_KEYWORD table[] = {
        {L"None", 0},        {L"Arrow", 32512},    {L"IBeam", 32513},   {L"Wait", 32514},    {L"Cross", 32515},
        {L"UpArrow", 32516}, {L"Hand", 32649},     {L"SizeAll", 32646}, {L"SizeNS", 32645}, {L"SizeWE", 32644},
        {L"SizeNESW", 32643}, {L"SizeNWSE", 32642}, {L"No", 32648},      {L"AppStarting", 32650},
    };
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
        return nullptr;
    for (const XTP_MARKUP_KEYWORD& keyword : table)
    {
        if (_wcsicmp(keyword.lpszName, lpszText) == 0)
            return new CXTPMarkupInt(keyword.nValue);
    }
    return nullptr;
}

namespace
{
int Saturate(double dValue)
{
    if (dValue >= 2147483647.0)
        return 0x7FFFFFFF;
    if (dValue <= -2147483647.0)
        return -0x7FFFFFFF;
    return (int)dValue; // toward zero
}
} // namespace

int XTPMarkupScaleLength(int nValue, LPCWSTR lpszUnit)
{
    if (_wcsicmp(lpszUnit, L"pt") == 0)
    {
        // MulDiv rounds; its -1 on overflow is replaced by the saturated value.
        double dExact = (double)nValue * 96 / 72;
        if (dExact >= 2147483647.0 || dExact <= -2147483647.0)
            return Saturate(dExact);
        return ::MulDiv(nValue, 96, 72);
    }
    if (_wcsicmp(lpszUnit, L"in") == 0)
        return Saturate((double)nValue * 96);
    if (_wcsicmp(lpszUnit, L"cm") == 0)
        return Saturate((double)nValue * 37.79528);
    if (_wcsicmp(lpszUnit, L"mm") == 0)
        return Saturate((double)nValue * 3.779528);
    return nValue;
}

CXTPMarkupObject* XTPMarkupConvertLength(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject)
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
        return nullptr;
    if (_wcsicmp(lpszText, L"Auto") == 0)
        return new CXTPMarkupInt(0x7FFFFFFF);
    int nValue = _wtoi(lpszText);
    if (nValue == 0)
        return new CXTPMarkupInt(0);
    size_t nLength = wcslen(lpszText);
    if (nLength > 2)
        nValue = XTPMarkupScaleLength(nValue, lpszText + nLength - 2);
    return new CXTPMarkupInt(nValue);
}

namespace
{
struct COLOR_NAME
{
    const wchar_t* lpszName;
    COLORREF clr;
};

// Sorted by name, case ignored.
const COLOR_NAME g_arrColorNames[] = {
    {L"AliceBlue", 0xFFFFF8F0},
    {L"AntiqueWhite", 0xFFD7EBFA},
    {L"Aqua", 0xFFFFFF00},
    {L"Aquamarine", 0xFFD4FF7F},
    {L"Azure", 0xFFFFFFF0},
    {L"Beige", 0xFFDCF5F5},
    {L"Bisque", 0xFFC4E4FF},
    {L"Black", 0xFF000000},
    {L"BlanchedAlmond", 0xFFCDEBFF},
    {L"Blue", 0xFFFF0000},
    {L"BlueViolet", 0xFFE22B8A},
    {L"Brown", 0xFF2A2AA5},
    {L"BurlyWood", 0xFF87B8DE},
    {L"CadetBlue", 0xFFA09E5F},
    {L"Chartreuse", 0xFF00FF7F},
    {L"Chocolate", 0xFF1E69D2},
    {L"Coral", 0xFF507FFF},
    {L"CornflowerBlue", 0xFFED9564},
    {L"Cornsilk", 0xFFDCF8FF},
    {L"Crimson", 0xFF3C14DC},
    {L"Cyan", 0xFFFFFF00},
    {L"DarkBlue", 0xFF8B0000},
    {L"DarkCyan", 0xFF8B8B00},
    {L"DarkGoldenrod", 0xFF0B86B8},
    {L"DarkGray", 0xFFA9A9A9},
    {L"DarkGreen", 0xFF006400},
    {L"DarkKhaki", 0xFF6BB7BD},
    {L"DarkMagenta", 0xFF8B008B},
    {L"DarkOliveGreen", 0xFF2F6B55},
    {L"DarkOrange", 0xFF008CFF},
    {L"DarkOrchid", 0xFFCC3299},
    {L"DarkRed", 0xFF00008B},
    {L"DarkSalmon", 0xFF7A96E9},
    {L"DarkSeaGreen", 0xFF8FBC8F},
    {L"DarkSlateBlue", 0xFF8B3D48},
    {L"DarkSlateGray", 0xFF4F4F2F},
    {L"DarkTurquoise", 0xFFD1CE00},
    {L"DarkViolet", 0xFFD30094},
    {L"DeepPink", 0xFF9314FF},
    {L"DeepSkyBlue", 0xFFFFBF00},
    {L"DimGray", 0xFF696969},
    {L"DodgerBlue", 0xFFFF901E},
    {L"Firebrick", 0xFF2222B2},
    {L"FloralWhite", 0xFFF0FAFF},
    {L"ForestGreen", 0xFF228B22},
    {L"Fuchsia", 0xFFFF00FF},
    {L"Gainsboro", 0xFFDCDCDC},
    {L"GhostWhite", 0xFFFFF8F8},
    {L"Gold", 0xFF00D7FF},
    {L"Goldenrod", 0xFF20A5DA},
    {L"Gray", 0xFF808080},
    {L"Green", 0xFF008000},
    {L"GreenYellow", 0xFF2FFFAD},
    {L"Honeydew", 0xFFF0FFF0},
    {L"HotPink", 0xFFB469FF},
    {L"IndianRed", 0xFF5C5CCD},
    {L"Indigo", 0xFF82004B},
    {L"Ivory", 0xFFF0FFFF},
    {L"Khaki", 0xFF8CE6F0},
    {L"Lavender", 0xFFFAE6E6},
    {L"LavenderBlush", 0xFFF5F0FF},
    {L"LawnGreen", 0xFF00FC7C},
    {L"LemonChiffon", 0xFFCDFAFF},
    {L"LightBlue", 0xFFE6D8AD},
    {L"LightCoral", 0xFF8080F0},
    {L"LightCyan", 0xFFFFFFE0},
    {L"LightGoldenrodYellow", 0xFFD2FAFA},
    {L"LightGray", 0xFFD3D3D3},
    {L"LightGreen", 0xFF90EE90},
    {L"LightPink", 0xFFC1B6FF},
    {L"LightSalmon", 0xFF7AA0FF},
    {L"LightSeaGreen", 0xFFAAB220},
    {L"LightSkyBlue", 0xFFFACE87},
    {L"LightSlateGray", 0xFF998877},
    {L"LightSteelBlue", 0xFFDEC4B0},
    {L"LightYellow", 0xFFE0FFFF},
    {L"Lime", 0xFF00FF00},
    {L"LimeGreen", 0xFF32CD32},
    {L"Linen", 0xFFE6F0FA},
    {L"Magenta", 0xFFFF00FF},
    {L"Maroon", 0xFF000080},
    {L"MediumAquamarine", 0xFFAACD66},
    {L"MediumBlue", 0xFFCD0000},
    {L"MediumOrchid", 0xFFD355BA},
    {L"MediumPurple", 0xFFDB7093},
    {L"MediumSeaGreen", 0xFF71B33C},
    {L"MediumSlateBlue", 0xFFEE687B},
    {L"MediumSpringGreen", 0xFF9AFA00},
    {L"MediumTurquoise", 0xFFCCD148},
    {L"MediumVioletRed", 0xFF8515C7},
    {L"MidnightBlue", 0xFF701919},
    {L"MintCream", 0xFFFAFFF5},
    {L"MistyRose", 0xFFE1E4FF},
    {L"Moccasin", 0xFFB5E4FF},
    {L"NavajoWhite", 0xFFADDEFF},
    {L"Navy", 0xFF800000},
    {L"OldLace", 0xFFE6F5FD},
    {L"Olive", 0xFF008080},
    {L"OliveDrab", 0xFF238E6B},
    {L"Orange", 0xFF00A5FF},
    {L"OrangeRed", 0xFF0045FF},
    {L"Orchid", 0xFFD670DA},
    {L"PaleGoldenrod", 0xFFAAE8EE},
    {L"PaleGreen", 0xFF98FB98},
    {L"PaleTurquoise", 0xFFEEEEAF},
    {L"PaleVioletRed", 0xFF9370DB},
    {L"PapayaWhip", 0xFFD5EFFF},
    {L"PeachPuff", 0xFFB9DAFF},
    {L"Peru", 0xFF3F85CD},
    {L"Pink", 0xFFCBC0FF},
    {L"Plum", 0xFFDDA0DD},
    {L"PowderBlue", 0xFFE6E0B0},
    {L"Purple", 0xFF800080},
    {L"Red", 0xFF0000FF},
    {L"RosyBrown", 0xFF8F8FBC},
    {L"RoyalBlue", 0xFFE16941},
    {L"SaddleBrown", 0xFF13458B},
    {L"Salmon", 0xFF7280FA},
    {L"SandyBrown", 0xFF60A4F4},
    {L"SeaGreen", 0xFF578B2E},
    {L"SeaShell", 0xFFEEF5FF},
    {L"Sienna", 0xFF2D52A0},
    {L"Silver", 0xFFC0C0C0},
    {L"SkyBlue", 0xFFEBCE87},
    {L"SlateBlue", 0xFFCD5A6A},
    {L"SlateGray", 0xFF908070},
    {L"Snow", 0xFFFAFAFF},
    {L"SpringGreen", 0xFF7FFF00},
    {L"SteelBlue", 0xFFB48246},
    {L"Tan", 0xFF8CB4D2},
    {L"Teal", 0xFF808000},
    {L"Thistle", 0xFFD8BFD8},
    {L"Tomato", 0xFF4763FF},
    {L"Transparent", 0x00FFFFFF},
    {L"Turquoise", 0xFFD0E040},
    {L"Violet", 0xFFEE82EE},
    {L"Wheat", 0xFFB3DEF5},
    {L"White", 0xFFFFFFFF},
    {L"WhiteSmoke", 0xFFF5F5F5},
    {L"Yellow", 0xFF00FFFF},
    {L"YellowGreen", 0xFF32CD9A},
};
} // namespace

BOOL XTPMarkupLookupColorName(LPCWSTR lpszName, COLORREF& clr)
{
    if (!lpszName || !((lpszName[0] >= L'a' && lpszName[0] <= L'z') || (lpszName[0] >= L'A' && lpszName[0] <= L'Z')))
        return FALSE;
    int nLow = 0, nHigh = (int)(sizeof(g_arrColorNames) / sizeof(g_arrColorNames[0])) - 1;
    while (nLow <= nHigh)
    {
        int nMid = (nLow + nHigh) / 2;
        int nCompare = _wcsicmp(lpszName, g_arrColorNames[nMid].lpszName);
        if (nCompare == 0)
        {
            clr = g_arrColorNames[nMid].clr;
            return TRUE;
        }
        if (nCompare < 0)
            nHigh = nMid - 1;
        else
            nLow = nMid + 1;
    }
    return FALSE;
}

namespace
{
struct SYSTEM_COLOR_NAME
{
    const wchar_t* lpszName;
    int nIndex;
};

// In the order the lookup tries them.
const SYSTEM_COLOR_NAME g_arrSystemColors[] = {
    {L"ActiveBorder", 10},
    {L"ActiveCaption", 2},
    {L"ActiveCaptionText", 9},
    {L"AppWorkspace", 12},
    {L"Control", 15},
    {L"ControlDark", 16},
    {L"ControlDarkDark", 21},
    {L"ControlLight", 22},
    {L"ControlLightLight", 20},
    {L"ControlText", 18},
    {L"Desktop", 1},
    {L"GradientActiveCaption", 27},
    {L"GradientInactiveCaption", 28},
    {L"GrayText", 17},
    {L"Highlight", 13},
    {L"HighlightText", 14},
    {L"HotTrack", 26},
    {L"InactiveBorder", 11},
    {L"InactiveCaption", 3},
    {L"InactiveCaptionText", 19},
    {L"Info", 24},
    {L"InfoText", 23},
    {L"Menu", 4},
    {L"MenuBar", 30},
    {L"MenuHighlight", 29},
    {L"MenuText", 7},
    {L"ScrollBar", 0},
    {L"Window", 5},
    {L"WindowFrame", 6},
    {L"WindowText", 8},
};
} // namespace

int XTPMarkupLookupSystemColorName(LPCWSTR lpszName, int nLength)
{
    if (nLength <= 0)
        return -1;
    for (const SYSTEM_COLOR_NAME& name : g_arrSystemColors)
    {
        if (wcsncmp(name.lpszName, lpszName, nLength) == 0)
            return name.nIndex;
    }
    return -1;
}

BOOL XTPMarkupParseSystemColorMember(LPCWSTR lpszMember, XTPMarkupSystemColorKind& nKind, int& nIndex)
{
    static const wchar_t kPrefix[] = L"SystemColors.";
    static const struct
    {
        const wchar_t* lpszSuffix;
        XTPMarkupSystemColorKind nKind;
    } suffixes[] = {{L"Color", xtpMarkupSystemColor},
                    {L"Brush", xtpMarkupSystemBrush},
                    {L"ColorKey", xtpMarkupSystemColorKey},
                    {L"BrushKey", xtpMarkupSystemBrushKey}};
    int nLength = (int)wcslen(lpszMember);
    if (nLength < 20 || wcsncmp(lpszMember, kPrefix, 13) != 0)
        return FALSE;
    for (const auto& suffix : suffixes)
    {
        int nSuffix = (int)wcslen(suffix.lpszSuffix);
        if (wcscmp(lpszMember + nLength - nSuffix, suffix.lpszSuffix) != 0)
            continue;
        int nFound = XTPMarkupLookupSystemColorName(lpszMember + 13, nLength - 13 - nSuffix);
        if (nFound >= 0)
        {
            nKind = suffix.nKind;
            nIndex = nFound;
            return TRUE;
        }
    }
    return FALSE;
}
