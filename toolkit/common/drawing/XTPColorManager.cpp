#include "toolkit/common/drawing/XTPColorManager.h"

#include "framework/Archive.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <string>

// ---- value types

void CXTPPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_clrStandardValue);
        ar << static_cast<DWORD>(m_clrCustomValue);
    }
    else
    {
        DWORD dwStandard = 0;
        DWORD dwCustom = 0;
        ar >> dwStandard;
        ar >> dwCustom;
        m_clrStandardValue = dwStandard;
        m_clrCustomValue = dwCustom;
    }
}

void CXTPPaintManagerColorGradient::SetStandardValues(COLORREF clrLightValue, COLORREF clrDarkValue, float fFactor)
{
    clrLight.SetStandardValue(clrLightValue);
    clrDark.SetStandardValue(clrDarkValue);
    fGradientFactor = fFactor;
}

void CXTPPaintManagerColorGradient::SetStandardValue(COLORREF clr)
{
    SetStandardValues(clr, clr, 0.5f);
}

void CXTPPaintManagerColorGradient::SetStandardValueFrom(const CXTPPaintManagerColorGradient& other)
{
    SetStandardValues(other.clrLight.GetColor(), other.clrDark.GetColor(), other.fGradientFactor);
}

void CXTPPaintManagerColorGradient::SetCustomValues(COLORREF clrLightValue, COLORREF clrDarkValue)
{
    clrLight.SetCustomValue(clrLightValue);
    clrDark.SetCustomValue(clrDarkValue);
}

void CXTPPaintManagerColorGradient::Serialize(CArchive& ar)
{
    clrLight.Serialize(ar);
    clrDark.Serialize(ar);
    if (ar.IsStoring())
        ar << fGradientFactor;
    else
        ar >> fGradientFactor;
}

// ---- the contrast metric

namespace
{
// Channel ranges of the weighted space.
const double g_range[3] = {195.0, 390.0, 65.0};

struct Weighted
{
    double v[3];
};

Weighted ToWeighted(COLORREF clr)
{
    const int channels[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    Weighted w;
    for (int i = 0; i < 3; ++i)
        w.v[i] = channels[i] * g_range[i] / 255.0;
    return w;
}

Weighted Complement(const Weighted& w)
{
    Weighted c;
    for (int i = 0; i < 3; ++i)
        c.v[i] = g_range[i] - w.v[i];
    return c;
}

double Dot(const Weighted& a, const Weighted& b)
{
    return a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2];
}

double Length(const Weighted& w)
{
    return std::sqrt(Dot(w, w));
}

COLORREF FromWeighted(const Weighted& w)
{
    int channels[3];
    for (int i = 0; i < 3; ++i)
    {
        const double clamped = std::min(std::max(w.v[i], 0.0), g_range[i]);
        const int value = static_cast<int>(clamped * 255.0 / g_range[i] + 0.5);
        channels[i] = std::min(std::max(value, 0), 255);
    }
    return RGB(channels[0], channels[1], channels[2]);
}

COLORREF SystemColor(int nIndex)
{
    return ::GetSysColor(nIndex);
}

int DeviceBitsPerPixel(HDC hDC)
{
    return ::GetDeviceCaps(hDC, BITSPIXEL);
}

CXTPColorManager::PFNGETBITSPERPIXEL g_pfnBitsPerPixel = &DeviceBitsPerPixel;

bool Contains(const std::wstring& text, const wchar_t* part)
{
    return text.find(part) != std::wstring::npos;
}

std::wstring Lower(LPCWSTR lpsz)
{
    std::wstring s(lpsz ? lpsz : L"");
    for (wchar_t& ch : s)
        ch = static_cast<wchar_t>(std::towlower(ch));
    return s;
}

// Gradients 1 to 7 of the three styles (light, dark, factor), and entry 54 of each.
struct StyleGradient
{
    COLORREF light;
    COLORREF dark;
    float factor;
};

const StyleGradient g_styleGradients[3][7] = {
    // blue
    {{0xD68759, 0x962D00, 0.5f},
     {0xF5BE9E, 0xFADAC4, 0.5f},
     {0xD68759, 0x962D00, 0.5f},
     {0xFEECDD, 0xE2A981, 0.75f},
     {0xFFEFE3, 0xE4AD87, 0.5f},
     {0xF6DDCB, 0xDCA179, 0.5f},
     {0xFFEFE3, 0xE7B593, 0.5f}},
    // olive
    {{0x82C0AF, 0x447A63, 0.5f},
     {0xA7D9D9, 0xE4F1F2, 0.5f},
     {0x6F8E78, 0x435B49, 0.5f},
     {0xDEF7F4, 0x91C6B7, 0.3f},
     {0xEDFFFF, 0x92C7B8, 0.3f},
     {0xD1E6E6, 0x78B4A4, 0.3f},
     {0xD5F0EC, 0x9FCEC2, 0.5f}},
    // silver
    {{0xBFA7A8, 0x916F70, 0.5f},
     {0xE5D7D7, 0xF7F3F3, 0.5f},
     {0xBFA7A8, 0x977677, 0.5f},
     {0xFFF9F9, 0xB79B9C, 0.75f},
     {0xFFF9F9, 0xB99D9F, 0.75f},
     {0xE2D7D7, 0x9E7E80, 0.75f},
     {0xF1E7E9, 0xCDB9BA, 0.5f}}};
const COLORREF g_styleEntry54[3] = {0x962D00, 0x588060, 0x947C7C};

// The style table of the three styles.
struct StyleColor
{
    int entry;
    COLORREF values[3];
};
const StyleColor g_styleColors[] = {
    {38, {0x764127, 0x335E51, 0x755454}}, {39, {0xCB8C6A, 0x588060, 0x8F6D6E}},
    {40, {0xD0966D, 0x7AAE9F, 0xBEA7A8}}, {41, {0xF6F6F6, 0xEEF4F4, 0xFFFAFD}},
    {43, {0x962D00, 0x5E8D75, 0x947C7C}}, {31, {0xC2EEFF, 0xC2EEFF, 0xC2EEFF}},
    {32, {0x800000, 0x385D3F, 0x6F4B4B}}, {37, {0x800000, 0x385D3F, 0x6F4B4B}},
    {50, {0x800000, 0x385D3F, 0x6F4B4B}}, {33, {0x3E80FE, 0x3E80FE, 0x3E80FE}},
    {36, {0x6FC0FF, 0x6FC0FF, 0x6FC0FF}}, {30, {0xF5BE9E, 0xA7D9D9, 0xE5D7D7}},
    {47, {0, 0, 0}},                      {59, {0x361E16, 0x19221F, 0x292024}}};

// The column of a style: 0 blue (also royale and aero), 1 olive, 2 silver, -1 none.
int StyleColumn(int nStyle)
{
    switch (nStyle)
    {
    case xtpSystemThemeBlue:
    case xtpSystemThemeRoyale:
    case xtpSystemThemeAero:
        return 0;
    case xtpSystemThemeOlive:
        return 1;
    case xtpSystemThemeSilver:
        return 2;
    default:
        return -1;
    }
}

int MaxChannel(COLORREF clr)
{
    return std::max({GetRValue(clr), GetGValue(clr), GetBValue(clr)});
}
} // namespace

double CXTPColorManager::GetColorDistanceSquared(COLORREF clrA, COLORREF clrB)
{
    const Weighted a = ToWeighted(clrA);
    const Weighted b = ToWeighted(clrB);
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (a.v[i] - b.v[i]) * (a.v[i] - b.v[i]);
    return sum;
}

double CXTPColorManager::GetColorDistance(COLORREF clrA, COLORREF clrB)
{
    return std::sqrt(GetColorDistanceSquared(clrA, clrB));
}

double CXTPColorManager::ScaleDistanceThreshold(double dLength, double dThreshold)
{
    const int nLength = static_cast<int>(dLength);
    const int nThreshold = static_cast<int>(dThreshold);
    return (2.0 - std::min(nLength, 220) / 220.0) * nThreshold;
}

BOOL CXTPColorManager::IsColorDistanceAbove(COLORREF clrA, COLORREF clrB, BOOL bScaled, double dThreshold)
{
    if (bScaled)
        dThreshold = ScaleDistanceThreshold(GetColorDistance(clrA, 0), dThreshold);
    return GetColorDistanceSquared(clrA, clrB) > dThreshold * dThreshold;
}

COLORREF CXTPColorManager::SeparateColor(COLORREF clrA, COLORREF clrB, double dThreshold)
{
    const double c = GetColorDistance(clrA, 0);
    const double e = GetColorDistance(clrB, 0);
    const double d = ScaleDistanceThreshold(c, dThreshold);
    const bool bNormal = c < e ? (442.0 - d) < c : d < c;

    Weighted a = ToWeighted(clrA);
    Weighted b = ToWeighted(clrB);
    if (!bNormal)
    {
        a = Complement(a);
        b = Complement(b);
    }
    const double lengthB = Length(b);
    if (lengthB >= 0.001)
    {
        const double projection = Dot(a, b) / lengthB;
        // The squared distance of a from the line through the origin and b.
        const double p2 = std::max(Dot(a, a) - projection * projection, 0.0);
        // Where the circle of radius d around a does not reach the line (d < p), the radicand would
        // be negative: the nearest point on the ray is taken instead.
        const double radicand = std::max(d * d - p2, 0.0);
        const double target = projection - std::sqrt(radicand);
        for (double& v : b.v)
            v = v * target / lengthB;
    }
    if (!bNormal)
        b = Complement(b);
    return FromWeighted(b);
}

COLORREF CXTPColorManager::ApproachColor(COLORREF clrA, COLORREF clrB, double dThreshold)
{
    const double dist = GetColorDistance(clrA, clrB);
    if (dist <= 0.0)
        return clrB;
    const double t = ScaleDistanceThreshold(GetColorDistance(clrA, 0), dThreshold);
    const Weighted a = ToWeighted(clrA);
    Weighted b = ToWeighted(clrB);
    const double k = (dist - t) / dist;
    for (int i = 0; i < 3; ++i)
        b.v[i] += k * (a.v[i] - b.v[i]);
    return FromWeighted(b);
}

COLORREF CXTPColorManager::MixColors(COLORREF clrFirst, COLORREF clrSecond, int nWeight)
{
    const int scale = nWeight < 100 ? 100 : 1000;
    auto mix = [&](int first, int second) { return (nWeight * first + (scale - nWeight) * second + scale / 2) / scale; };
    return RGB(mix(GetRValue(clrFirst), GetRValue(clrSecond)), mix(GetGValue(clrFirst), GetGValue(clrSecond)),
               mix(GetBValue(clrFirst), GetBValue(clrSecond)));
}

void CXTPColorManager::SetBitsPerPixelProvider(PFNGETBITSPERPIXEL pfn)
{
    g_pfnBitsPerPixel = pfn ? pfn : &DeviceBitsPerPixel;
}

BOOL CXTPColorManager::IsLowResolution(HDC hDC)
{
    int nBits;
    if (hDC)
        nBits = g_pfnBitsPerPixel(hDC);
    else
    {
        HWND hDesktop = ::GetDesktopWindow();
        HDC hScreen = ::GetDC(hDesktop);
        if (!hScreen)
            return FALSE;
        nBits = g_pfnBitsPerPixel(hScreen);
        ::ReleaseDC(hDesktop, hScreen);
    }
    return nBits >= 1 && nBits <= 8;
}

// ---- the colour manager

CXTPColorManager::CXTPColorManager()
{
    for (int i = 0; i < nColorCount; ++i)
    {
        m_arrColors[i] = 0;
        m_arrCustomColors[i] = COLORREF(-1);
        m_arrStyleColors[i] = COLORREF(-1);
    }
    RefreshColors();
    m_grc[7].SetStandardValues(0x8CD5FF, 0x55ADFF, 0.5f);
    m_grc[8].SetStandardValues(0x4B8EFE, 0x8BCFFF, 0.5f);
    m_grc[9].SetStandardValues(0xC8F2FF, 0x97D4FF, 0.5f);
}

COLORREF CXTPColorManager::GetColor(int nIndex) const
{
    if (static_cast<UINT>(nIndex) > nLastColor)
        return static_cast<COLORREF>(nIndex);
    return m_arrCustomColors[nIndex] != COLORREF(-1) ? m_arrCustomColors[nIndex] : m_arrColors[nIndex];
}

void CXTPColorManager::SetColor(int nIndex, COLORREF clrValue)
{
    if (static_cast<UINT>(nIndex) <= nLastColor)
        m_arrCustomColors[nIndex] = clrValue;
}

void CXTPColorManager::SetColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues)
{
    for (int i = 0; lpaElements && lpaRgbValues && i < cElements; ++i)
        SetColor(lpaElements[i], lpaRgbValues[i]);
}

COLORREF CXTPColorManager::GetComputedColor(int nIndex) const
{
    return static_cast<UINT>(nIndex) <= nLastColor ? m_arrColors[nIndex] : COLORREF(-1);
}

COLORREF CXTPColorManager::GetStyleColor(int nIndex) const
{
    return static_cast<UINT>(nIndex) <= nLastColor ? m_arrStyleColors[nIndex] : COLORREF(-1);
}

CXTPPaintManagerColorGradient* CXTPColorManager::GetGradient(int nNumber)
{
    return nNumber >= 1 && nNumber <= nGradientCount ? &m_grc[nNumber - 1] : nullptr;
}

int CXTPColorManager::GetStyleColumn(int nSystemTheme)
{
    return StyleColumn(nSystemTheme);
}

int CXTPColorManager::GetCurrentSystemTheme() const
{
    if (m_nSystemTheme == xtpSystemThemeDefault || m_nSystemTheme == xtpSystemThemeAuto)
        return m_nDetectedTheme;
    return m_nSystemTheme;
}

int CXTPColorManager::DetectThemeFromNames(BOOL bThemeActive, LPCWSTR lpszFileName, LPCWSTR lpszColorName,
                                           BOOL bLowResolution, BOOL bDetectRoyale, BOOL bDetectAero)
{
    if (!bThemeActive || bLowResolution || !lpszFileName || !lpszColorName)
        return xtpSystemThemeUnknown;
    const std::wstring file = Lower(lpszFileName);
    if (Contains(file, L"luna.msstyles") || Contains(file, L"winxp.luna.cjstyles"))
    {
        const std::wstring color = Lower(lpszColorName);
        if (color == L"normalcolor")
            return xtpSystemThemeBlue;
        if (color == L"homestead")
            return xtpSystemThemeOlive;
        if (color == L"metallic")
            return xtpSystemThemeSilver;
    }
    if (bDetectRoyale && (Contains(file, L"royale.msstyles") || Contains(file, L"winxp.royale.cjstyles")))
        return xtpSystemThemeRoyale;
    if (bDetectAero && Contains(file, L"aero.msstyles"))
        return xtpSystemThemeAero;
    return xtpSystemThemeUnknown;
}

void CXTPColorManager::DetectSystemTheme()
{
    CXTPWinThemeWrapper wrapper(1);
    const BOOL bActive = wrapper.IsThemeActive();
    const BOOL bLow = IsLowResolution(nullptr);
    m_nDetectedTheme = xtpSystemThemeUnknown;
    if (!bActive || bLow)
        return;
    WCHAR file[MAX_PATH] = {};
    WCHAR color[MAX_PATH] = {};
    WCHAR size[MAX_PATH] = {};
    if (FAILED(wrapper.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, size, MAX_PATH)))
        return;
    m_nDetectedTheme = DetectThemeFromNames(bActive, file, color, bLow, m_bDetectRoyale, m_bDetectAero);
}

void CXTPColorManager::RefreshSysColors()
{
    m_arrColors[0] = 0;
    for (int i = 1; i < nFirstToolkitColor; ++i)
        m_arrColors[i] = m_pfnGetSysColor ? m_pfnGetSysColor(i) : SystemColor(i);
}

void CXTPColorManager::RefreshDefaultColors()
{
    struct Group
    {
        int source;
        int entries[12];
    };
    static const Group groups[] = {{15, {30, 51, 53, 55, 56}},
                                   {16, {34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61}},
                                   {5, {31, 36, 41}},
                                   {13, {32, 33, 37, 50}},
                                   {17, {35, 58}},
                                   {8, {44}},
                                   {7, {45}},
                                   {18, {46}},
                                   {14, {47, 49}}};
    for (const Group& group : groups)
        for (int entry : group.entries)
            if (entry != 0)
                m_arrColors[entry] = GetColor(group.source);
    m_arrColors[59] = 0;
}

int CXTPColorManager::GetStyleForTables() const
{
    return m_bDisableThemeColors ? xtpSystemThemeUnknown : GetCurrentSystemTheme();
}

void CXTPColorManager::RefreshThemeColors()
{
    for (COLORREF& clr : m_arrStyleColors)
        clr = COLORREF(-1);
    const int column = StyleColumn(GetStyleForTables());
    if (column < 0)
        return;
    for (const StyleColor& row : g_styleColors)
        m_arrStyleColors[row.entry] = row.values[column];
}

void CXTPColorManager::RefreshGradientColors()
{
    const int column = StyleColumn(GetStyleForTables());
    if (column >= 0)
    {
        for (int i = 0; i < 7; ++i)
        {
            const StyleGradient& g = g_styleGradients[column][i];
            m_grc[i].SetStandardValues(g.light, g.dark, g.factor);
        }
        m_arrColors[54] = g_styleEntry54[column];
    }
    else
    {
        const COLORREF c5 = GetColor(COLOR_WINDOW);
        const COLORREF c15 = GetColor(COLOR_BTNFACE);
        const COLORREF c16 = GetColor(COLOR_BTNSHADOW);
        m_grc[0].SetStandardValues(c16, c16);
        m_grc[1].SetStandardValues(c15, MixColors(c15, c5, 215));
        m_grc[2].SetStandardValues(c15, c16);
        m_grc[3].SetStandardValues(MixColors(c15, c5, 205), c15);
        m_grc[4].SetStandardValues(MixColors(c15, c5, 145), MixColors(c15, c5, 93));
        m_grc[5].SetStandardValues(MixColors(c15, c5, 40), MixColors(c15, c16, 95));
        m_grc[6].SetStandardValues(MixColors(c15, c5, 165), MixColors(c15, c5, 42));
    }
    if (m_bLowResolution)
    {
        m_grc[3].SetStandardValue(GetColor(COLOR_BTNFACE));
        m_grc[1].SetStandardValue(GetColor(COLOR_BTNFACE));
    }
}

void CXTPColorManager::RefreshColors()
{
    DetectSystemTheme();
    m_bLowResolution = IsLowResolution(nullptr);
    RefreshSysColors();
    RefreshDefaultColors();
    RefreshThemeColors();
    if (m_bLowResolution)
    {
        RefreshGradientColors();
        return;
    }
    RefreshDerivedColors();
    RefreshGradientColors();

    CXTPWinThemeWrapper wrapper(1);
    if (wrapper.OpenThemeData(nullptr, L"TREEVIEW") && wrapper.IsAppThemed())
    {
        COLORREF clrBorder = 0;
        if (SUCCEEDED(wrapper.GetThemeColor(0, 0, 3801, &clrBorder)))
            m_arrColors[57] = clrBorder;
    }
}

void CXTPColorManager::RefreshDerivedColors()
{
    const COLORREF face = GetColor(COLOR_BTNFACE);
    const COLORREF text = GetColor(COLOR_BTNTEXT);
    const bool bHighContrast = (face == 0 && text == 0xFFFFFF) || (face == 0xFFFFFF && text == 0);
    if (bHighContrast)
    {
        for (int entry : {31, 36, 50})
            m_arrColors[entry] = GetColor(COLOR_HIGHLIGHT);
        m_arrColors[45] = GetColor(COLOR_HIGHLIGHTTEXT);
        for (int entry : {32, 37, 38, 43})
            m_arrColors[entry] = GetColor(COLOR_BTNTEXT);
    }
    else
    {
        static const int blends[][4] = {{30, 5, 15, 165}, {31, 13, 5, 30},  {33, 13, 5, 50},  {41, 15, 5, 143},
                                        {35, 17, 5, 70},  {38, 16, 5, 75},  {39, 16, 5, 70},  {43, 46, 16, 20},
                                        {61, 46, 16, 15}, {40, 16, 5, 90},  {42, 15, 16, 90}};
        for (const auto& row : blends)
            m_arrColors[row[0]] = MixColors(GetColor(row[1]), GetColor(row[2]), row[3]);
    }

    if (IsColorDistanceAbove(GetColor(15), GetColor(30), TRUE, 35))
        m_arrColors[30] = ApproachColor(GetColor(15), GetColor(30), 35);

    // entry, reference, compared colour, threshold
    static const int separations[][4] = {{31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},
                                         {37, 33, 37, 100}, {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 41, 43, 100},
                                         {61, 30, 61, 100}, {40, 30, 40, 80},  {44, 41, 44, 180}, {45, 31, 45, 180},
                                         {46, 30, 46, 180}, {47, 33, 47, 180}};
    for (const auto& row : separations)
    {
        const COLORREF reference = GetColor(row[1]);
        const COLORREF compared = GetColor(row[2]);
        if (!IsColorDistanceAbove(reference, compared, TRUE, row[3]))
            m_arrColors[row[0]] = SeparateColor(reference, compared, row[3]);
    }

    if (IsColorDistanceAbove(GetColor(41), GetColor(35), TRUE, 145))
        m_arrColors[35] = ApproachColor(GetColor(41), GetColor(35), 145);

    if (!bHighContrast)
    {
        const COLORREF c30 = GetColor(30);
        const COLORREF c5 = GetColor(COLOR_WINDOW);
        const COLORREF c13 = GetColor(COLOR_HIGHLIGHT);
        auto mix = [](int a, int w, int h) { return std::min(a / 2 + w * 2 / 5 + h / 10, 255); };
        m_arrColors[36] = RGB(mix(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                              mix(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                              mix(GetBValue(c30), GetBValue(c5), GetBValue(c13)));
    }

    // 48: button face brightened.
    {
        const int m = MaxChannel(face);
        if (m == 0)
            m_arrColors[48] = 0x232323;
        else
        {
            const int k = m >= 220 ? 255 : m + 35;
            auto scale = [&](int ch) { return std::min(ch * k / m, 255); };
            m_arrColors[48] = RGB(scale(GetRValue(face)), scale(GetGValue(face)), scale(GetBValue(face)));
        }
    }
    // 49: button shadow darkened.
    {
        const COLORREF shadow = GetColor(COLOR_BTNSHADOW);
        const int m = MaxChannel(shadow);
        if (face == 0)
            m_arrColors[49] = 0x7F7F7F;
        else if (m < 43)
            m_arrColors[49] = 0;
        else
        {
            auto scale = [&](int ch) { return ch * (m - 43) / m; };
            m_arrColors[49] = RGB(scale(GetRValue(shadow)), scale(GetGValue(shadow)), scale(GetBValue(shadow)));
        }
    }
    {
        const COLORREF c31 = GetColor(31);
        auto scale = [](int ch) { return static_cast<int>(ch * 0.75); };
        m_arrColors[34] = RGB(scale(GetRValue(c31)), scale(GetGValue(c31)), scale(GetBValue(c31)));
    }
    {
        auto lighten = [](int ch) { return std::min(ch + 15, 255); };
        m_arrColors[COLOR_3DLIGHT] = RGB(lighten(GetRValue(face)), lighten(GetGValue(face)), lighten(GetBValue(face)));
    }
    m_arrColors[53] = GetColor(30);
    m_arrColors[58] = GetColor(40);
    m_arrColors[60] = m_arrColors[40];
}

CXTPColorManager* GetColorManager()
{
    static CXTPColorManager s_manager;
    return &s_manager;
}

void RefreshGlobalColors()
{
    GetColorManager()->RefreshColors();
}
