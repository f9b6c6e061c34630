// Colours of the toolkit: the themable colour value types (CXTPPaintManagerColor and its
// gradient) and the process-wide colour manager, whose table of 63 entries holds the system colours
// (1 to 29) and the toolkit colours derived from them (30 to 62).
#pragma once

#include "framework/CmdTarget.h"

#include <windows.h>

class CArchive;

// One colour: a standard value and an optional custom override (-1 = unset).
class CXTPPaintManagerColor
{
public:
    CXTPPaintManagerColor() = default;
    CXTPPaintManagerColor(COLORREF clrStandard) : m_clrStandardValue(clrStandard) {}
    virtual ~CXTPPaintManagerColor() = default;
    CXTPPaintManagerColor(const CXTPPaintManagerColor&) = default;
    CXTPPaintManagerColor& operator=(const CXTPPaintManagerColor&) = default;

    // The custom value when set, else the standard value.
    COLORREF GetColor() const { return m_clrCustomValue != COLORREF(-1) ? m_clrCustomValue : m_clrStandardValue; }
    operator COLORREF() const { return GetColor(); }

    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    COLORREF GetCustomColor() const { return m_clrCustomValue; }
    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    // Drops the custom value.
    void SetDefaultValue() { m_clrCustomValue = COLORREF(-1); }
    BOOL IsDefaultValue() const { return m_clrCustomValue == COLORREF(-1); }
    BOOL IsCustomValue() const { return !IsDefaultValue(); }
    // Neither value is set.
    BOOL IsNull() const { return GetColor() == COLORREF(-1); }

    // Standard value then custom value, each a 32-bit integer.
    virtual void Serialize(CArchive& ar);

    COLORREF m_clrStandardValue = COLORREF(-1);
    COLORREF m_clrCustomValue = COLORREF(-1);
};

// Two colours (light start, dark end) and a blend factor (0.5 = one even gradient).
class CXTPPaintManagerColorGradient
{
public:
    CXTPPaintManagerColorGradient() = default;
    virtual ~CXTPPaintManagerColorGradient() = default;
    CXTPPaintManagerColorGradient(const CXTPPaintManagerColorGradient&) = default;
    CXTPPaintManagerColorGradient& operator=(const CXTPPaintManagerColorGradient&) = default;

    void SetStandardValues(COLORREF clrLight, COLORREF clrDark, float fGradientFactor = 0.5f);
    // Both ends one colour, factor 0.5.
    void SetStandardValue(COLORREF clr);
    // The other's resolved colours and its factor become this one's standard values.
    void SetStandardValueFrom(const CXTPPaintManagerColorGradient& other);
    void SetCustomValues(COLORREF clrLight, COLORREF clrDark);
    BOOL IsNull() const { return clrLight.IsNull(); }

    // Light, dark, then the factor as a 32-bit float.
    virtual void Serialize(CArchive& ar);

    CXTPPaintManagerColor clrLight;
    CXTPPaintManagerColor clrDark;
    float fGradientFactor = 0.5f;
};

// Detected visual styles.
enum XTPCurrentSystemTheme
{
    xtpSystemThemeUnknown = 0,
    xtpSystemThemeBlue = 1,
    xtpSystemThemeOlive = 2,
    xtpSystemThemeSilver = 3,
    xtpSystemThemeRoyale = 4,
    xtpSystemThemeAero = 5,
    xtpSystemThemeDefault = 6,
    xtpSystemThemeAuto = 7
};

// The process-wide colour table. Entries 1 to 29 are the system colours; 30 to 62 toolkit colours.
class CXTPColorManager : public CCmdTarget
{
public:
    enum
    {
        nColorCount = 63,
        nFirstToolkitColor = 30,
        nLastColor = 62,
        nGradientCount = 10
    };

    typedef COLORREF (*PFNGETSYSCOLOR)(int nIndex);
    typedef int (*PFNGETBITSPERPIXEL)(HDC hDC);

    CXTPColorManager();
    ~CXTPColorManager() override = default;

    // Above 62 (unsigned): the value itself; else the override when set, else the computed entry.
    COLORREF GetColor(int nIndex) const;
    // Sets (or with -1 clears) the override of one entry; it survives refreshes.
    void SetColor(int nIndex, COLORREF clrValue);
    // Sets several overrides at once.
    void SetColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues);
    // The computed entry (without override).
    COLORREF GetComputedColor(int nIndex) const;
    // The visual style's fixed colour of an entry, -1 when none.
    COLORREF GetStyleColor(int nIndex) const;

    // Gradient 1 to 10 (null outside).
    CXTPPaintManagerColorGradient* GetGradient(int nNumber);

    // Per channel: weight < 100 is per cent of clrFirst, 100 and more per mille; rounded.
    static COLORREF MixColors(COLORREF clrFirst, COLORREF clrSecond, int nWeight);
    // TRUE for a colour depth of 1 to 8 bits per pixel (the desktop's without a DC).
    static BOOL IsLowResolution(HDC hDC = nullptr);
    // The depth source; null restores GetDeviceCaps(BITSPIXEL).
    static void SetBitsPerPixelProvider(PFNGETBITSPERPIXEL pfn);

    // Contrast metric in the weighted space (R × 195/255, G × 390/255, B × 65/255).
    static double GetColorDistanceSquared(COLORREF clrA, COLORREF clrB);
    static double GetColorDistance(COLORREF clrA, COLORREF clrB);
    static double ScaleDistanceThreshold(double dLength, double dThreshold);
    static BOOL IsColorDistanceAbove(COLORREF clrA, COLORREF clrB, BOOL bScaled, double dThreshold);
    // clrB moved along its own ray so that it lies at the scaled threshold from clrA.
    static COLORREF SeparateColor(COLORREF clrA, COLORREF clrB, double dThreshold);
    // clrB moved straight towards clrA so that it lies at the scaled threshold from clrA.
    static COLORREF ApproachColor(COLORREF clrA, COLORREF clrB, double dThreshold);

    // The theme that a visual style gives: file and colour names as GetCurrentThemeName reports them.
    static int DetectThemeFromNames(BOOL bThemeActive, LPCWSTR lpszFileName, LPCWSTR lpszColorName,
                                    BOOL bLowResolution, BOOL bDetectRoyale = TRUE, BOOL bDetectAero = TRUE);

    int GetCurrentSystemTheme() const;
    // The column of a theme in tables kept per Luna style: 0 blue (also Royale and Aero), 1 olive,
    // 2 silver, -1 for any other theme.
    static int GetStyleColumn(int nSystemTheme);
    int GetDetectedSystemTheme() const { return m_nDetectedTheme; }
    void SetCurrentSystemTheme(int nTheme) { m_nSystemTheme = nTheme; }
    BOOL IsThemeColorsDisabled() const { return m_bDisableThemeColors; }
    void DisableThemeColors(BOOL bDisable) { m_bDisableThemeColors = bDisable; }
    void EnableRoyaleDetection(BOOL bEnable) { m_bDetectRoyale = bEnable; }
    void EnableAeroDetection(BOOL bEnable) { m_bDetectAero = bEnable; }

    // Where entries 1 to 29 come from; null means GetSysColor.
    void SetSystemColorProvider(PFNGETSYSCOLOR pfn) { m_pfnGetSysColor = pfn; }
    PFNGETSYSCOLOR GetSystemColorProvider() const { return m_pfnGetSysColor; }

    // Recomputes everything (theme, system colours, toolkit colours, gradients 1 to 7).
    void RefreshColors();
    // Steps of the refresh, callable one by one.
    void DetectSystemTheme();
    void RefreshSysColors();
    void RefreshDefaultColors();
    void RefreshThemeColors();
    void RefreshGradientColors();
    BOOL IsLastRefreshLowResolution() const { return m_bLowResolution; }

protected:
    void SetComputed(int nIndex, COLORREF clr) { m_arrColors[nIndex] = clr; }
    int GetStyleForTables() const;
    void RefreshDerivedColors();

    CXTPPaintManagerColorGradient m_grc[nGradientCount];
    BOOL m_bDetectRoyale = TRUE;
    BOOL m_bDetectAero = TRUE;
    BOOL m_bDisableThemeColors = FALSE;
    COLORREF m_arrColors[nColorCount];
    COLORREF m_arrCustomColors[nColorCount];
    COLORREF m_arrStyleColors[nColorCount];
    PFNGETSYSCOLOR m_pfnGetSysColor = nullptr;
    int m_nSystemTheme = xtpSystemThemeDefault;
    int m_nDetectedTheme = xtpSystemThemeUnknown;
    BOOL m_bLowResolution = FALSE;
};

// The one colour manager (made and refreshed on first use).
CXTPColorManager* GetColorManager();
// Recomputes the colour manager's table (after a system colour or settings change).
void RefreshGlobalColors();
