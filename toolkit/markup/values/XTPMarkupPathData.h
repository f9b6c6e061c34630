// Path geometry values: the transforms of text (RenderTransform, RotateTransform), the path
// geometry pair kept as written, the point and point-type arrays of a Path's Data
// (CXTPMarkupPathData) and the path-data mini-language (CXTPMarkupPathDataBuilder, ...Parser).
#pragma once

#include <vector>

#include "toolkit/markup/objects/XTPMarkupObject.h"

class CXTPMarkupDependencyProperty;

struct MARKUP_POINTF
{
    float x;
    float y;
};

class CXTPMarkupRotateTransform : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRotateTransform)
public:
    CXTPMarkupRotateTransform();
    int GetAngle() const; // degrees, 0 when unset

    static CXTPMarkupDependencyProperty* m_pAngleProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupRenderTransform : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRenderTransform)
public:
    CXTPMarkupRenderTransform();
    // A RotateTransform written as content becomes the "RotateTransform" value.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;

    static CXTPMarkupDependencyProperty* m_pRotateTransformProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupPathGeometryFigures : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPathGeometryFigures)
public:
    CXTPMarkupPathGeometryFigures();
};

class CXTPMarkupPathGeometry : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPathGeometry)
public:
    CXTPMarkupPathGeometry();
    // A Figures object written as content becomes the "Figures" value.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;

    static CXTPMarkupDependencyProperty* m_pFiguresProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupPathData : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPathData)
public:
    CXTPMarkupPathData();
    CXTPMarkupPathData(const MARKUP_POINTF* pPoints, const BYTE* pTypes, int nCount);

    int GetCount() const { return (int)m_arrPoints.size(); }
    const MARKUP_POINTF* GetPoints() const { return m_arrPoints.data(); }
    const BYTE* GetTypes() const { return m_arrTypes.data(); }
    // floor of the smallest, ceiling of the largest coordinates; all zero without points.
    RECT GetBounds() const { return m_rcBounds; }
    int m_nPixelOffsetMode;

    // Path-data text through the parser, with the builder as its error sink.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    // A PathGeometry written as content becomes the "PathGeometry" value.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;

    static CXTPMarkupDependencyProperty* m_pPathGeometryProperty;
    static void RegisterMarkupProperties();

private:
    std::vector<MARKUP_POINTF> m_arrPoints;
    std::vector<BYTE> m_arrTypes;
    RECT m_rcBounds;
};

// Points and GDI+ point types: 0 start, 1 line, 3 Bezier point, 0x80 closes the figure.
class CXTPMarkupPathDataBuilder
{
public:
    enum
    {
        typeStart = 0,
        typeLine = 1,
        typeBezier = 3,
        flagCloseFigure = 0x80,
    };

    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void BezierTo(MARKUP_POINTF c1, MARKUP_POINTF c2, MARKUP_POINTF ptEnd);
    void CornerTo(MARKUP_POINTF c, MARKUP_POINTF ptEnd);
    void CloseFigure();
    // A new path data with copies of the arrays (one reference).
    CXTPMarkupPathData* CreatePathData() const;

    int GetCount() const { return (int)m_arrPoints.size(); }
    const MARKUP_POINTF* GetPoints() const { return m_arrPoints.data(); }
    const BYTE* GetTypes() const { return m_arrTypes.data(); }

protected:
    std::vector<MARKUP_POINTF> m_arrPoints;
    std::vector<BYTE> m_arrTypes;
};

class CXTPMarkupPathDataParser : public CXTPMarkupPathDataBuilder
{
public:
    CXTPMarkupPathDataParser();

    // Fills the builder from path-data text. With an error sink a syntax error is a build error
    // ("Unexpected token encountered at position '%i'"); without one Parse answers FALSE and
    // GetErrorPosition tells where.
    BOOL Parse(CXTPMarkupBuilder* pErrorSink, LPCWSTR lpszText, int nLength);
    // The zero-based index of the character after the offending one (the length when the text
    // ended too early); -1 without an error.
    int GetErrorPosition() const { return m_nErrorPosition; }
    // 0 or 1 from a leading "F0" or "F1"; 0 without.
    int GetFillRule() const { return m_nFillRule; }

private:
    bool ParseCommands();
    WCHAR Peek() const;
    WCHAR Next();
    bool Fail();
    void SkipWhiteSpace();
    // Skips blanks and (when allowed) one comma; TRUE when a number can start next.
    bool NumberAhead(bool bCommaAllowed, bool& bFailed);
    bool ReadNumber(bool bCommaAllowed, float& f);
    bool ReadPoint(bool bCommaAllowed, bool bRelative, MARKUP_POINTF& pt);
    void Reopen();

    LPCWSTR m_lpszText;
    int m_nLength;
    int m_nIndex;
    int m_nFillRule;
    int m_nErrorPosition;
    MARKUP_POINTF m_ptLastControl;
    MARKUP_POINTF m_ptCurrent;
    MARKUP_POINTF m_ptFigureStart;
    bool m_bFigureOpen;
};
