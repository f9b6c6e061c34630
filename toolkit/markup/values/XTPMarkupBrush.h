// Brushes as values (every fill and stroke property): the brush base with its text form, the solid
// brush, the linear gradient with its stops, and the point type of gradient ends.
#pragma once

#include "toolkit/markup/objects/XTPMarkupCollection.h"

class CXTPMarkupDependencyProperty;

class CXTPMarkupPoint : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPoint)
public:
    CXTPMarkupPoint(double x = 0, double y = 0);
    double x;
    double y;
    // "x,y": two numbers of the markup's grammar around a comma; null otherwise.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;
};

class CXTPMarkupBrush : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupBrush)
public:
    CXTPMarkupBrush();
    // The slot after the object's: an RGB colour (alpha dropped); 0 here.
    virtual COLORREF GetColor() const;
    // Colour text becomes a new solid brush of that colour and alpha.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
};

class CXTPMarkupSolidColorBrush : public CXTPMarkupBrush
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupSolidColorBrush)
public:
    CXTPMarkupSolidColorBrush();
    // Opaque (alpha 0xFF).
    explicit CXTPMarkupSolidColorBrush(COLORREF clr);
    CXTPMarkupSolidColorBrush(COLORREF clr, BYTE bAlpha);

    COLORREF GetColor() const override;
    // Both solid with the same RGB (alpha not compared).
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

    static CXTPMarkupDependencyProperty* m_pColorProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupGradientStop : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupGradientStop)
public:
    CXTPMarkupGradientStop();
    COLORREF GetColor() const;  // 0xAABBGGRR; 0 when unset
    double GetOffset() const;   // 0 when unset

    static CXTPMarkupDependencyProperty* m_pColorProperty;
    static CXTPMarkupDependencyProperty* m_pOffsetProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupGradientStops : public CXTPMarkupCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupGradientStops)
public:
    CXTPMarkupGradientStops();
    CXTPMarkupGradientStop* GetStop(int nIndex) const;
};

class CXTPMarkupLinearGradientBrush : public CXTPMarkupBrush
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupLinearGradientBrush)
public:
    CXTPMarkupLinearGradientBrush();
    // The first declared stop's RGB; 0 without stops.
    COLORREF GetColor() const override;
    CXTPMarkupGradientStops* GetGradientStops() const;
    // Stops written between the brush's tags go to its stop collection.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

    static CXTPMarkupDependencyProperty* m_pStartPointProperty;
    static CXTPMarkupDependencyProperty* m_pEndPointProperty;
    static CXTPMarkupDependencyProperty* m_pGradientStopsProperty;
    static void RegisterMarkupProperties();
};
