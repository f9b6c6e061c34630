// DrawControl sends each control to the operation of its kind (recorded by a theme that only
// notes the calls), and the two-line caption measures 24 pixels high.
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class RecordingTheme : public CXTPDefaultTheme
{
public:
    CSize DrawPopupBarControl(CDC*, CXTPControl*, BOOL) override { return Note("popup"); }
    CSize DrawToolBarControl(CDC*, CXTPControl*, BOOL) override { return Note("toolbar"); }
    CSize DrawControlEdit(CDC*, CXTPControlEdit*, BOOL) override { return Note("edit"); }
    CSize DrawControlComboBox(CDC*, CXTPControlComboBox*, BOOL) override { return Note("combo"); }
    CSize Note(const char* pszWhat)
    {
        m_strCalls += pszWhat;
        return CSize(1, 1);
    }
    std::string m_strCalls;
};

class PlainBar : public CXTPCommandBar
{
};
} // namespace

TEST(PaintManagerDispatch, ByControlKindAndBar)
{
    struct Case
    {
        const char* name;
        int barType;
        int nKind; // 1 button, 5 combo box, 6 edit
        const char* expected;
    } cases[] = {
        {"button on a toolbar", xtpBarTypeNormal, 1, "toolbar"},
        {"button on a menu bar", xtpBarTypeMenuBar, 1, "toolbar"},
        {"button on a popup", xtpBarTypePopup, 1, "popup"},
        {"edit on a popup", xtpBarTypePopup, 6, "edit"},
        {"edit on a toolbar", xtpBarTypeNormal, 6, "edit"},
        {"combo box on a popup", xtpBarTypePopup, 5, "combo"},
        {"combo box on a toolbar", xtpBarTypeNormal, 5, "combo"},
    };
    RecordingTheme* pm = new RecordingTheme();
    HDC hDC = ::CreateCompatibleDC(nullptr);
    CDC dc;
    dc.Attach(hDC);
    for (const Case& c : cases)
    {
        PlainBar bar;
        bar.SetType(c.barType);
        bar.SetPosition(c.barType == xtpBarTypePopup ? xtpBarPopup : xtpBarTop);
        CXTPControl* pControl = c.nKind == 6   ? static_cast<CXTPControl*>(new CXTPControlEdit())
                                : c.nKind == 5 ? static_cast<CXTPControl*>(new CXTPControlComboBox())
                                               : static_cast<CXTPControl*>(new CXTPControlButton());
        bar.GetControls()->Add(pControl, 100);
        pm->m_strCalls.clear();
        EXPECT_EQ(pm->DrawControl(&dc, pControl, FALSE), CSize(1, 1)) << c.name;
        pm->DrawControl(&dc, pControl, TRUE);
        EXPECT_EQ(pm->m_strCalls, std::string(c.expected) + c.expected) << c.name;
    }
    dc.Detach();
    ::DeleteDC(hDC);
    pm->InternalRelease();
}

TEST(PaintManagerDispatch, TwoLineCaptionMeasures)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(0);
    pm->RefreshMetrics();
    HDC hDC = ::CreateCompatibleDC(nullptr);
    CDC dc;
    dc.Attach(hDC);
    CFont* pOld = dc.SelectObject(pm->GetRegularFont());
    PlainBar bar;
    CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 100);
    pControl->SetCaption("Save &All Files");
    const int nLine1 = dc.GetTextExtent("Save All").cx, nLine2 = dc.GetTextExtent("Files").cx;
    const int nWidest = nLine1 > nLine2 + 8 ? nLine1 : nLine2 + 8;

    CSize sz = pm->DrawControlText(&dc, pControl, CRect(0, 0, 100, 40), FALSE, FALSE, FALSE);
    EXPECT_EQ(sz, CSize(nLine1 > nLine2 ? nLine1 : nLine2, 24));
    sz = pm->DrawControlText(&dc, pControl, CRect(0, 0, 100, 40), FALSE, FALSE, TRUE);
    EXPECT_EQ(sz, CSize(nWidest, 24)); // the drop-down glyph follows line 2
    sz = pm->DrawControlText(&dc, pControl, CRect(0, 0, 100, 40), FALSE, TRUE, FALSE);
    EXPECT_EQ(sz.cx, 24); // vertical: swapped
    // With two-line captions off the whole caption is line 1.
    pm->m_bWrapCaptionBelowText = FALSE;
    sz = pm->DrawControlText(&dc, pControl, CRect(0, 0, 100, 40), FALSE, FALSE, FALSE);
    EXPECT_EQ(sz, CSize(dc.GetTextExtent("Save All Files").cx, 24));
    dc.SelectObject(pOld);
    dc.Detach();
    ::DeleteDC(hDC);
    pm->InternalRelease();
}
