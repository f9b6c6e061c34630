#include "ui/RunIndividualDisplay.h"

#include "engine/TestCaseExecutionContext.h"
#include "ui/QuorvexRunIndividualDialog.h"
#include "ui/UiResourceIds.h"
#include "ui/controls/ImageListUtilities.h"

CRunIndividualDisplay::CRunIndividualDisplay()
{
    m_multipleSelection = true;
}

CRunIndividualDisplay::~CRunIndividualDisplay()
{
    RemoveAllEntries();
}

bool CRunIndividualDisplay::AddColumns()
{
    return AddColumnFromResource(IDS_TEST_NAME_COLUMN, kColumnSortText);
}

bool CRunIndividualDisplay::LoadImages()
{
    LoadImageListFromBitmap(kRowBitmapId, &m_rowImages, kRowImageWidth);
    return m_rowImages.GetSafeHandle() != nullptr;
}

void CRunIndividualDisplay::OnSelectionChanged()
{
    if (m_dialog)
        m_dialog->UpdateButtons();
}

void CRunIndividualDisplay::OnKeyboardMoved()
{
    OnSelectionChanged();
}

void CRunIndividualDisplay::OnContextSelect()
{
    OnSelectionChanged();
}

void CRunIndividualDisplay::OnActivate()
{
    if (!m_dialog)
        return;
    m_dialog->UpdateButtons();
    m_dialog->OnOK();
}

bool CRunIndividualDisplay::AddTestEntry(CTestCaseExecutionContext* test)
{
    if (!test)
        return false;
    auto* entry = new CRunIndividualDisplayEntry(test);
    entry->m_image = 1;
    if (!AddEntry(entry))
    {
        delete entry;
        return false;
    }
    SetEntryText(entry, 0, test->m_name);
    return true;
}
