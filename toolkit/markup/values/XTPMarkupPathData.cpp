#include "toolkit/markup/values/XTPMarkupPathData.h"

#include <algorithm>
#include <cmath>

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupType.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRotateTransform, CXTPMarkupObject, &CXTPMarkupRotateTransform::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRenderTransform, CXTPMarkupObject, &CXTPMarkupRenderTransform::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPathGeometryFigures, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPathGeometry, CXTPMarkupObject, &CXTPMarkupPathGeometry::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPathData, CXTPMarkupObject, &CXTPMarkupPathData::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupRotateTransform::m_pAngleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRenderTransform::m_pRotateTransformProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPathGeometry::m_pFiguresProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPathData::m_pPathGeometryProperty = nullptr;

// --- transforms and geometry kept as written -------------------------------------------------------

void CXTPMarkupRotateTransform::RegisterMarkupProperties()
{
    m_pAngleProperty = CXTPMarkupDependencyProperty::Register(L"Angle", CXTPMarkupInt::GetMarkupType(), GetMarkupType());
}

CXTPMarkupRotateTransform::CXTPMarkupRotateTransform() {}

int CXTPMarkupRotateTransform::GetAngle() const
{
    CXTPMarkupInt* pAngle = static_cast<CXTPMarkupInt*>(GetValue(m_pAngleProperty));
    return pAngle ? pAngle->GetValue() : 0;
}

void CXTPMarkupRenderTransform::RegisterMarkupProperties()
{
    m_pRotateTransformProperty = CXTPMarkupDependencyProperty::Register(
        L"RotateTransform", CXTPMarkupRotateTransform::GetMarkupType(), GetMarkupType());
}

CXTPMarkupRenderTransform::CXTPMarkupRenderTransform() {}

void CXTPMarkupRenderTransform::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && pContent->IsKindOf(CXTPMarkupRotateTransform::GetMarkupType()))
    {
        pContent->AddRef();
        SetValue(m_pRotateTransformProperty, pContent);
        return;
    }
    CXTPMarkupObject::SetContentObject(pBuilder, pContent);
}

CXTPMarkupPathGeometryFigures::CXTPMarkupPathGeometryFigures() {}

void CXTPMarkupPathGeometry::RegisterMarkupProperties()
{
    m_pFiguresProperty = CXTPMarkupDependencyProperty::Register(
        L"Figures", CXTPMarkupPathGeometryFigures::GetMarkupType(), GetMarkupType());
}

CXTPMarkupPathGeometry::CXTPMarkupPathGeometry() {}

void CXTPMarkupPathGeometry::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && pContent->IsKindOf(CXTPMarkupPathGeometryFigures::GetMarkupType()))
    {
        pContent->AddRef();
        SetValue(m_pFiguresProperty, pContent);
        return;
    }
    CXTPMarkupObject::SetContentObject(pBuilder, pContent);
}

// --- path data -----------------------------------------------------------------------------------

void CXTPMarkupPathData::RegisterMarkupProperties()
{
    m_pPathGeometryProperty = CXTPMarkupDependencyProperty::Register(
        L"PathGeometry", CXTPMarkupPathGeometry::GetMarkupType(), GetMarkupType());
}

CXTPMarkupPathData::CXTPMarkupPathData() : m_nPixelOffsetMode(0), m_rcBounds{0, 0, 0, 0} {}

CXTPMarkupPathData::CXTPMarkupPathData(const MARKUP_POINTF* pPoints, const BYTE* pTypes, int nCount)
    : m_nPixelOffsetMode(0), m_arrPoints(pPoints, pPoints + nCount), m_arrTypes(pTypes, pTypes + nCount),
      m_rcBounds{0, 0, 0, 0}
{
    if (nCount > 0)
    {
        float l = pPoints[0].x, t = pPoints[0].y, r = l, b = t;
        for (int i = 1; i < nCount; i++)
        {
            l = std::min(l, pPoints[i].x);
            r = std::max(r, pPoints[i].x);
            t = std::min(t, pPoints[i].y);
            b = std::max(b, pPoints[i].y);
        }
        m_rcBounds = {(LONG)std::floor(l), (LONG)std::floor(t), (LONG)std::ceil(r), (LONG)std::ceil(b)};
    }
}

CXTPMarkupObject* CXTPMarkupPathData::ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
        return nullptr;
    CXTPMarkupPathDataParser parser;
    if (!parser.Parse(pBuilder, lpszText, (int)wcslen(lpszText)))
        return nullptr;
    return parser.CreatePathData();
}

void CXTPMarkupPathData::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && pContent->IsKindOf(CXTPMarkupPathGeometry::GetMarkupType()))
    {
        pContent->AddRef();
        SetValue(m_pPathGeometryProperty, pContent);
        return;
    }
    CXTPMarkupObject::SetContentObject(pBuilder, pContent);
}

void CXTPMarkupPathDataBuilder::MoveTo(float x, float y)
{
    m_arrPoints.push_back({x, y});
    m_arrTypes.push_back(typeStart);
}

void CXTPMarkupPathDataBuilder::LineTo(float x, float y)
{
    m_arrPoints.push_back({x, y});
    m_arrTypes.push_back(typeLine);
}

void CXTPMarkupPathDataBuilder::BezierTo(MARKUP_POINTF c1, MARKUP_POINTF c2, MARKUP_POINTF ptEnd)
{
    for (const MARKUP_POINTF& pt : {c1, c2, ptEnd})
    {
        m_arrPoints.push_back(pt);
        m_arrTypes.push_back(typeBezier);
    }
}

void CXTPMarkupPathDataBuilder::CornerTo(MARKUP_POINTF c, MARKUP_POINTF ptEnd)
{
    BezierTo(c, ptEnd, ptEnd);
}

void CXTPMarkupPathDataBuilder::CloseFigure()
{
    if (!m_arrTypes.empty())
        m_arrTypes.back() |= flagCloseFigure;
}

CXTPMarkupPathData* CXTPMarkupPathDataBuilder::CreatePathData() const
{
    return new CXTPMarkupPathData(m_arrPoints.data(), m_arrTypes.data(), (int)m_arrPoints.size());
}

// --- the path-data parser ------------------------------------------------------------------------

CXTPMarkupPathDataParser::CXTPMarkupPathDataParser()
    : m_lpszText(nullptr), m_nLength(0), m_nIndex(0), m_nFillRule(0), m_nErrorPosition(-1), m_ptLastControl{0, 0},
      m_ptCurrent{0, 0}, m_ptFigureStart{0, 0}, m_bFigureOpen(false)
{
}

static bool IsPathWhiteSpace(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r';
}

static bool CanStartNumber(WCHAR ch)
{
    return ch == L'+' || ch == L'-' || ch == L'.' || (ch >= L'0' && ch <= L'9');
}

WCHAR CXTPMarkupPathDataParser::Peek() const
{
    return m_nIndex < m_nLength ? m_lpszText[m_nIndex] : 0;
}

WCHAR CXTPMarkupPathDataParser::Next()
{
    return m_nIndex < m_nLength ? m_lpszText[m_nIndex++] : 0;
}

bool CXTPMarkupPathDataParser::Fail()
{
    if (m_nErrorPosition < 0)
        m_nErrorPosition = m_nIndex;
    return false;
}

void CXTPMarkupPathDataParser::SkipWhiteSpace()
{
    while (IsPathWhiteSpace(Peek()))
        m_nIndex++;
}

bool CXTPMarkupPathDataParser::NumberAhead(bool bCommaAllowed, bool& bFailed)
{
    bFailed = false;
    bool bComma = false;
    for (;;)
    {
        WCHAR ch = Peek();
        if (IsPathWhiteSpace(ch))
            m_nIndex++;
        else if (ch == L',')
        {
            m_nIndex++; // the comma is read: an error points past it
            if (!bCommaAllowed || bComma)
            {
                bFailed = true;
                return Fail();
            }
            bComma = true;
        }
        else
            break;
    }
    if (CanStartNumber(Peek()))
        return true;
    if (bComma)
    {
        bFailed = true; // the comma read last is the offending character
        return Fail();
    }
    return false;
}

bool CXTPMarkupPathDataParser::ReadNumber(bool bCommaAllowed, float& f)
{
    bool bFailed;
    if (!NumberAhead(bCommaAllowed, bFailed))
    {
        if (!bFailed)
        {
            if (m_nIndex < m_nLength)
                m_nIndex++; // the character that is no number
            Fail();
        }
        return false;
    }
    float fSign = 1;
    if (Peek() == L'+' || Peek() == L'-')
        fSign = Next() == L'-' ? -1.0f : 1.0f;
    float fValue = 0;
    bool bDigits = false;
    while (Peek() >= L'0' && Peek() <= L'9')
    {
        fValue = fValue * 10 + (Next() - L'0');
        bDigits = true;
    }
    if (Peek() == L'.')
    {
        m_nIndex++;
        float fScale = 1;
        while (Peek() >= L'0' && Peek() <= L'9')
        {
            fScale = fScale / 10;
            fValue += (Next() - L'0') * fScale;
            bDigits = true;
        }
    }
    if (!bDigits)
        return Fail();
    f = fSign * fValue;
    return true;
}

bool CXTPMarkupPathDataParser::ReadPoint(bool bCommaAllowed, bool bRelative, MARKUP_POINTF& pt)
{
    if (!ReadNumber(bCommaAllowed, pt.x) || !ReadNumber(true, pt.y))
        return false;
    if (bRelative)
    {
        pt.x += m_ptCurrent.x;
        pt.y += m_ptCurrent.y;
    }
    return true;
}

void CXTPMarkupPathDataParser::Reopen()
{
    if (!m_bFigureOpen)
    {
        MoveTo(m_ptFigureStart.x, m_ptFigureStart.y);
        m_ptCurrent = m_ptFigureStart;
        m_bFigureOpen = true;
    }
}

bool CXTPMarkupPathDataParser::ParseCommands()
{
    SkipWhiteSpace();
    if (Peek() == L'F')
    {
        m_nIndex++;
        SkipWhiteSpace();
        WCHAR ch = Next();
        if (ch != L'0' && ch != L'1')
            return Fail();
        m_nFillRule = ch - L'0';
        SkipWhiteSpace();
    }
    if (Peek() != L'M' && Peek() != L'm')
    {
        if (m_nIndex < m_nLength)
            m_nIndex++;
        return Fail();
    }

    WCHAR chPrevious = 0;
    bool bFailed = false;
    for (;;)
    {
        SkipWhiteSpace();
        if (m_nIndex >= m_nLength)
            return true;
        WCHAR chCommand = Next();
        bool bRelative = chCommand >= L'a' && chCommand <= L'z';
        MARKUP_POINTF pt;
        switch (chCommand)
        {
        case L'M':
        case L'm':
            if (!ReadPoint(false, bRelative, pt))
                return false;
            MoveTo(pt.x, pt.y);
            m_ptCurrent = m_ptFigureStart = pt;
            m_bFigureOpen = true;
            while (NumberAhead(true, bFailed))
            {
                if (!ReadPoint(true, bRelative, pt))
                    return false;
                LineTo(pt.x, pt.y);
                m_ptCurrent = pt;
            }
            break;
        case L'L':
        case L'l':
            Reopen();
            do
            {
                if (!ReadPoint(false, bRelative, pt))
                    return false;
                LineTo(pt.x, pt.y);
                m_ptCurrent = pt;
            } while (NumberAhead(true, bFailed));
            break;
        case L'H':
        case L'h':
        case L'V':
        case L'v':
            Reopen();
            do
            {
                float f;
                if (!ReadNumber(false, f))
                    return false;
                if (chCommand == L'H' || chCommand == L'h')
                    m_ptCurrent.x = bRelative ? m_ptCurrent.x + f : f;
                else
                    m_ptCurrent.y = bRelative ? m_ptCurrent.y + f : f;
                LineTo(m_ptCurrent.x, m_ptCurrent.y);
            } while (NumberAhead(true, bFailed));
            break;
        case L'C':
        case L'c':
        case L'S':
        case L's':
            do
            {
                MARKUP_POINTF ptStart = m_ptCurrent, c1, c2, ptEnd;
                bool bSmooth = chCommand == L'S' || chCommand == L's';
                if (bSmooth)
                {
                    bool bReflect = chPrevious == L'C' || chPrevious == L'c' || chPrevious == L'S' || chPrevious == L's';
                    c1 = bReflect ? MARKUP_POINTF{2 * ptStart.x - m_ptLastControl.x, 2 * ptStart.y - m_ptLastControl.y}
                                  : ptStart;
                }
                else if (!ReadPoint(false, bRelative, c1))
                    return false;
                if (!ReadPoint(!bSmooth, bRelative, c2) || !ReadPoint(true, bRelative, ptEnd))
                    return false;
                BezierTo(c1, c2, ptEnd);
                m_ptLastControl = c2;
                m_ptCurrent = ptEnd;
                chPrevious = chCommand;
            } while (NumberAhead(true, bFailed));
            break;
        case L'Z':
        case L'z':
            Reopen();
            CloseFigure();
            m_bFigureOpen = false;
            m_ptCurrent = m_ptFigureStart;
            break;
        default:
            return Fail();
        }
        if (bFailed)
            return false;
        chPrevious = chCommand;
    }
}

BOOL CXTPMarkupPathDataParser::Parse(CXTPMarkupBuilder* pErrorSink, LPCWSTR lpszText, int nLength)
{
    m_lpszText = lpszText ? lpszText : L"";
    m_nLength = lpszText ? nLength : 0;
    m_nIndex = 0;
    m_nErrorPosition = -1;
    if (ParseCommands())
        return TRUE;
    if (pErrorSink)
        pErrorSink->ThrowBuilderError(L"Unexpected token encountered at position '%i'", m_nErrorPosition);
    return FALSE;
}
