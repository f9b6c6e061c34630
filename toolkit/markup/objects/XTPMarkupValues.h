// The value classes of the object model: boxed integers, doubles, enumeration values, booleans,
// colours, strings, float lists and the system-colour keys, with their shared instances and the
// number readers.
#pragma once

#include <vector>

#include "toolkit/markup/objects/XTPMarkupObject.h"

class CXTPMarkupInt : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupInt)
public:
    explicit CXTPMarkupInt(int nValue = 0);
    operator int() const { return m_nValue; }
    int GetValue() const { return m_nValue; }
    // _wtoi of the text.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

private:
    int m_nValue;
};

class CXTPMarkupDouble : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupDouble)
public:
    explicit CXTPMarkupDouble(double dValue = 0);
    operator double() const { return m_dValue; }
    double GetValue() const { return m_dValue; }
    // The whole text as one number (ParseDouble); null when it is not one.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

    // The number grammar of the markup: leading spaces, an optional sign, digits with at most one
    // '.'; the number ends at a space, at chSeparator or at the end. With bWhole, only spaces may
    // follow. No exponent. lpszText moves past what was read (a separator is not consumed).
    static BOOL ParseDouble(LPCWSTR& lpszText, double& dValue, WCHAR chSeparator, BOOL bWhole);

private:
    double m_dValue;
};

class CXTPMarkupEnum : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupEnum)
public:
    explicit CXTPMarkupEnum(int nValue = 0);
    operator int() const { return m_nValue; }
    int GetValue() const { return m_nValue; }
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    // One reference to a value: 0 to 7 are shared objects, others new each time.
    static CXTPMarkupEnum* CreateValue(int nValue);

private:
    int m_nValue;
};

class CXTPMarkupBool : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupBool)
public:
    explicit CXTPMarkupBool(BOOL bValue = FALSE);
    operator BOOL() const { return m_bValue; }
    BOOL GetValue() const { return m_bValue; }
    // "True" or "False", case ignored: the shared objects; anything else null.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    // One reference to the shared true or false object.
    static CXTPMarkupBool* CreateTrueValue();
    static CXTPMarkupBool* CreateFalseValue();
    static CXTPMarkupBool* CreateValue(BOOL bValue);

private:
    BOOL m_bValue;
};

// A colour 0xAABBGGRR (alpha in the top byte, red in the low one).
class CXTPMarkupColor : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupColor)
public:
    // A COLORREF without alpha gets alpha 0xFF.
    explicit CXTPMarkupColor(COLORREF clr = 0xFF000000);
    CXTPMarkupColor(COLORREF clr, BYTE bAlpha);
    operator COLORREF() const { return m_clr; }
    COLORREF GetValue() const { return m_clr; }
    COLORREF GetRGB() const { return m_clr & 0xFFFFFF; }
    BYTE GetAlpha() const { return (BYTE)(m_clr >> 24); }
    // "#RRGGBB", "#AARRGGBB" or a colour name; null otherwise.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    // The colour text reader behind ConvertFrom: TRUE and the 0xAABBGGRR value, or FALSE.
    static BOOL ParseColor(LPCWSTR lpszText, COLORREF& clr);

private:
    COLORREF m_clr;
};

class CXTPMarkupString : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupString)
public:
    explicit CXTPMarkupString(LPCWSTR lpszValue = L"", int nLength = -1);
    operator LPCWSTR() const { return m_strValue.c_str(); }
    LPCWSTR GetValue() const { return m_strValue.c_str(); }
    int GetLength() const { return (int)m_strValue.size(); }
    UINT GetHashCode() const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
    // One reference: "", " " and "\n" are shared objects, other texts new ones.
    static CXTPMarkupString* CreateValue(LPCWSTR lpszValue, int nLength = -1);

private:
    std::wstring m_strValue;
};

// A list of 32-bit floats.
class CXTPMarkupDoubleCollection : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupDoubleCollection)
public:
    CXTPMarkupDoubleCollection();
    int GetCount() const { return (int)m_arr.size(); }
    float GetAt(int nIndex) const { return m_arr[nIndex]; }
    void Add(float f) { m_arr.push_back(f); }
    // Numbers separated by blanks or commas; empty text gives an empty list; anything else null.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;

private:
    std::vector<float> m_arr;
};

// A system colour index (GetSysColor) as a resource key of a colour or of a brush.
class CXTPMarkupColorKey : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupColorKey)
public:
    explicit CXTPMarkupColorKey(int nIndex = 0);
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};

class CXTPMarkupBrushKey : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupBrushKey)
public:
    explicit CXTPMarkupBrushKey(int nIndex = 0);
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};

// The text of a string object, or null for any other object.
LPCWSTR XTPMarkupStringOf(const CXTPMarkupObject* pObject);
