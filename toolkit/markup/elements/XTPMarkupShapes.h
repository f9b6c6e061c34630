// Shapes: the shape base with fill, stroke and their details, Rectangle, Ellipse, Line, Polyline,
// Polygon and Path, and the point list of polylines and polygons. Their measuring and drawing are
// not built yet.
#pragma once

#include <vector>

#include "toolkit/markup/elements/XTPMarkupUIElement.h"

class CXTPMarkupPointCollection : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPointCollection)
public:
    CXTPMarkupPointCollection();
    int GetCount() const { return (int)m_arrPoints.size(); }
    POINT GetAt(int nIndex) const { return m_arrPoints[nIndex]; }
    void Add(POINT pt);
    RECT GetBounds() const { return m_rcBounds; }
    // Pairs of whole numbers separated by spaces or commas ("0,0 10,0", "0 0 10 0"); empty text is
    // an empty list; fractions, other characters and a text ending inside a pair give null.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;

private:
    std::vector<POINT> m_arrPoints;
    RECT m_rcBounds;
};

class CXTPMarkupShape : public CXTPMarkupFrameworkElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupShape)
public:
    CXTPMarkupShape();
    static CXTPMarkupDependencyProperty* m_pFillProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeThicknessProperty;
    static CXTPMarkupDependencyProperty* m_pStretchProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeDashArrayProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeStartLineCapProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeEndLineCapProperty;
    static CXTPMarkupDependencyProperty* m_pStrokeLineJoinProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupRectangle : public CXTPMarkupShape
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRectangle)
public:
    CXTPMarkupRectangle();
    static CXTPMarkupDependencyProperty* m_pRadiusXProperty;
    static CXTPMarkupDependencyProperty* m_pRadiusYProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupEllipse : public CXTPMarkupShape
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupEllipse)
public:
    CXTPMarkupEllipse();
};

class CXTPMarkupLine : public CXTPMarkupShape
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupLine)
public:
    CXTPMarkupLine();
    static CXTPMarkupDependencyProperty* m_pX1Property;
    static CXTPMarkupDependencyProperty* m_pY1Property;
    static CXTPMarkupDependencyProperty* m_pX2Property;
    static CXTPMarkupDependencyProperty* m_pY2Property;
    static void RegisterMarkupProperties();
};

class CXTPMarkupPolyline : public CXTPMarkupShape
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPolyline)
public:
    CXTPMarkupPolyline();
    static CXTPMarkupDependencyProperty* m_pPointsProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupPolygon : public CXTPMarkupShape
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPolygon)
public:
    CXTPMarkupPolygon();
    static CXTPMarkupDependencyProperty* m_pPointsProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupPath : public CXTPMarkupShape
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPath)
public:
    CXTPMarkupPath();
    // A PathData written as content becomes "Data".
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    static CXTPMarkupDependencyProperty* m_pDataProperty;
    static void RegisterMarkupProperties();
};
