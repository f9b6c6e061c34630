// CDocTemplate: the document strings of its resource string, its shared menu and accelerators,
// and the application's list of templates.
#include "framework/DocTemplate.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
const UINT kSheetResource = 3200; // "\nSheet\nSpreadsheet\nSheet Files (*.sht)\n.sht\nQvx.Sheet\nQvx Sheet Document"
const UINT kNotesResource = 3201; // "Notes window\nNote": two substrings, no menu
const UINT kMissingResource = 3999;

std::string Doc(const CDocTemplate& t, CDocTemplate::DocStringIndex i, BOOL* pFound = nullptr)
{
    CString s;
    BOOL found = t.GetDocString(s, i);
    if (pFound)
        *pFound = found;
    return std::string(s);
}
} // namespace

TEST(DocTemplateTest, DocStringsAreTheSubstringsOfTheResourceString)
{
    CDocTemplate sheet(kSheetResource), notes(kNotesResource), missing(kMissingResource);
    for (CDocTemplate* t : {&sheet, &notes, &missing})
        t->LoadTemplate();
    struct Case
    {
        const CDocTemplate* t;
        CDocTemplate::DocStringIndex index;
        const char* expected;
        BOOL found;
    };
    const Case cases[] = {
        {&sheet, CDocTemplate::windowTitle, "", FALSE}, // empty first substring
        {&sheet, CDocTemplate::docName, "Sheet", TRUE},
        {&sheet, CDocTemplate::fileNewName, "Spreadsheet", TRUE},
        {&sheet, CDocTemplate::filterName, "Sheet Files (*.sht)", TRUE},
        {&sheet, CDocTemplate::filterExt, ".sht", TRUE},
        {&sheet, CDocTemplate::regFileTypeId, "Qvx.Sheet", TRUE},
        {&sheet, CDocTemplate::regFileTypeName, "Qvx Sheet Document", TRUE},
        {&notes, CDocTemplate::windowTitle, "Notes window", TRUE},
        {&notes, CDocTemplate::docName, "Note", TRUE},
        {&notes, CDocTemplate::fileNewName, "", FALSE}, // past the last line feed
        {&notes, CDocTemplate::regFileTypeName, "", FALSE},
        {&missing, CDocTemplate::docName, "", FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.t->GetResourceId()) + " #" + std::to_string(c.index));
        BOOL found = !c.found;
        EXPECT_EQ(Doc(*c.t, c.index, &found), c.expected);
        EXPECT_EQ(found, c.found);
    }
    // The shared menu and accelerators come from the same id; absent ones stay null.
    EXPECT_TRUE(::IsMenu(sheet.m_hMenuShared));
    EXPECT_EQ(::GetMenuItemCount(sheet.m_hMenuShared), 3);
    EXPECT_NE(sheet.m_hAccelTable, nullptr);
    EXPECT_EQ(notes.m_hMenuShared, nullptr);
    EXPECT_EQ(missing.m_hAccelTable, nullptr);
}

TEST(DocTemplateTest, ApplicationListsItsTemplatesInOrderAndDeletesThem)
{
    std::unique_ptr<CWinApp> app(new CWinApp("QvxDocTemplateApp"));
    ASSERT_EQ(AfxGetApp(), app.get());
    EXPECT_EQ(app->GetFirstDocTemplatePosition(), nullptr);

    // A template that records its deletion.
    struct CCountedTemplate : CDocTemplate
    {
        CCountedTemplate(UINT id, int* pDeleted) : CDocTemplate(id), m_pDeleted(pDeleted) {}
        ~CCountedTemplate() override { ++*m_pDeleted; }
        int* m_pDeleted;
    };
    int deleted = 0;
    auto* sheet = new CCountedTemplate(kSheetResource, &deleted);
    auto* notes = new CCountedTemplate(kNotesResource, &deleted);
    CCountedTemplate kept(kMissingResource, &deleted); // not the application's to delete
    kept.m_bAutoDelete = FALSE;
    app->AddDocTemplate(sheet);
    app->AddDocTemplate(notes);
    app->AddDocTemplate(&kept);
    app->AddDocTemplate(sheet); // once only

    // Loaded when added: the menu a child of this kind shows is there.
    EXPECT_TRUE(::IsMenu(sheet->m_hMenuShared));
    std::vector<CDocTemplate*> seen;
    for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;)
        seen.push_back(app->GetNextDocTemplate(pos));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], sheet);
    EXPECT_EQ(seen[1], notes);
    EXPECT_EQ(seen[2], &kept);

    // Finding the template of a child's menu, as the command bars do for the active document.
    UINT idOfMenu = 0;
    for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;)
    {
        CDocTemplate* t = app->GetNextDocTemplate(pos);
        if (t->m_hMenuShared && t->m_hMenuShared == sheet->m_hMenuShared)
            idOfMenu = t->GetResourceId();
    }
    EXPECT_EQ(idOfMenu, kSheetResource);

    app.reset();
    EXPECT_EQ(deleted, 2); // the two auto-delete templates
    EXPECT_EQ(AfxGetApp(), nullptr);
    kept.m_bAutoDelete = TRUE;
}
