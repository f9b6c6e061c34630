// The keyword vocabulary of attribute text: the enumeration tables, cursors, lengths, the colour
// names and the system-colour names. Every converter answers a new object (one reference) or null
// when it does not know the text.
#pragma once

#include <windows.h>

class CXTPMarkupObject;
class CXTPMarkupBuilder;

// One keyword of an enumeration table.
struct XTP_MARKUP_KEYWORD
{
    const wchar_t* lpszName;
    int nValue;
};

// The enumeration converters of property metadata (a CXTPMarkupEnum, values 0 to 7 shared).
CXTPMarkupObject* XTPMarkupConvertTextDecorations(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertFontWeight(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertFontStyle(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertFontQuality(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertVerticalAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertHorizontalAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertTextWrapping(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertTextTrimming(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertTextAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertOrientation(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertBaselineAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertVisibility(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertScrollBarVisibility(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertStretch(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
// Tables of the element classes that use them: dock sides, tab navigation, line caps and joins,
// the toggle state.
CXTPMarkupObject* XTPMarkupConvertDock(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertTabNavigation(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertLineCap(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertLineJoin(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
CXTPMarkupObject* XTPMarkupConvertCheckState(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

// An enumeration value from a keyword table (case ignored), or null.
CXTPMarkupObject* XTPMarkupConvertKeyword(CXTPMarkupObject* pObject, const XTP_MARKUP_KEYWORD* pTable, int nCount);

// "Hand" and the other cursor names: a CXTPMarkupInt holding the system cursor id.
CXTPMarkupObject* XTPMarkupConvertCursor(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
// Lengths in device pixels at 96 per inch ("Auto", plain, "pt", "in", "cm", "mm"): a CXTPMarkupInt.
CXTPMarkupObject* XTPMarkupConvertLength(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

// The pixel value of n in a unit ("pt", "in", "cm", "mm", or anything else for pixels), saturated at
// +-0x7FFFFFFF instead of wrapping.
int XTPMarkupScaleLength(int nValue, LPCWSTR lpszUnit);

// The 141 colour names (CSS values, "Transparent" 0x00FFFFFF), case ignored: 0xAABBGGRR.
BOOL XTPMarkupLookupColorName(LPCWSTR lpszName, COLORREF& clr);

// A member "SystemColors.<Name><Kind>" of x:Static. Kinds in the order they are tried.
enum XTPMarkupSystemColorKind
{
    xtpMarkupSystemColor,
    xtpMarkupSystemBrush,
    xtpMarkupSystemColorKey,
    xtpMarkupSystemBrushKey,
};
// The system-colour index of the name (the first table name that begins with it, exact case) or -1.
int XTPMarkupLookupSystemColorName(LPCWSTR lpszName, int nLength);
// Splits a member into kind and index for the first kind that resolves; FALSE when none does.
BOOL XTPMarkupParseSystemColorMember(LPCWSTR lpszMember, XTPMarkupSystemColorKind& nKind, int& nIndex);
