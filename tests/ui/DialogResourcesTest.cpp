// The dialogs' resources: templates, toolbar layout words, pictures, icon and strings.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/UiResourceIds.h"

namespace
{
HMODULE Module()
{
    return ::GetModuleHandleA(nullptr);
}

TEST(DialogResourcesTest, TemplatesExist)
{
    for (int id : {IDD_ABOUT, IDD_QUORVEX_MAIN, IDD_RUN_INDIVIDUAL})
        EXPECT_NE(::FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_DIALOG), nullptr) << id;
}

TEST(DialogResourcesTest, ToolbarLayoutIsWordsOfVersionSizeCountAndIds)
{
    HRSRC found = ::FindResourceA(Module(), MAKEINTRESOURCEA(IDR_QUORVEX_TOOLBAR), MAKEINTRESOURCEA(241));
    ASSERT_NE(found, nullptr);
    const DWORD size = ::SizeofResource(Module(), found);
    const WORD* words = static_cast<const WORD*>(::LockResource(::LoadResource(Module(), found)));
    ASSERT_NE(words, nullptr);
    const std::vector<WORD> expected = {1, 20, 20, 12, 4003, 0, 4004, 4005, 0, 4001, 0, 4002, 0, 4000, 0, 9};
    ASSERT_EQ(size, expected.size() * sizeof(WORD));
    EXPECT_EQ(std::vector<WORD>(words, words + expected.size()), expected);
}

TEST(DialogResourcesTest, PicturesHaveTheirSizes)
{
    struct Case
    {
        int id, width, height;
    };
    for (Case c : {Case{IDB_ABOUT_BANNER, 550, 60}, Case{IDB_TOOLBAR_NORMAL, 140, 20},
                   Case{IDB_TOOLBAR_DISABLED, 140, 20}, Case{IDB_TOOLBAR_HOT, 140, 20}})
    {
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(Module(), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr) << c.id;
        BITMAP info = {};
        ::GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.width) << c.id;
        EXPECT_EQ(info.bmHeight, c.height) << c.id;
        ::DeleteObject(bitmap);
    }
    for (int size : {16, 32})
    {
        HICON icon = static_cast<HICON>(
            ::LoadImageA(Module(), MAKEINTRESOURCEA(IDI_QUORVEX), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            ::DestroyIcon(icon);
    }
}

TEST(DialogResourcesTest, StringsAreThoseOfTheDialogs)
{
    struct Case
    {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {ID_ABOUT, "About\nAbout Quorvex"},
        {ID_CANCEL_RUN, "Cancel\nCancel the current test run"},
        {ID_EXPORT_RESULTS, "Export Results\nExport the results"},
        {ID_LOAD_TEST_SUITE, "Load Test Suite\nLoad a test suite"},
        {ID_RUN_ALL, "Run All Tests\nRun all the tests in the test suite"},
        {ID_RUN_INDIVIDUAL, "Run Individual Tests\nRun individual tests in the test suite"},
        {ID_HELP_COMMAND, "Help\nQuorvex help"},
        {IDS_STATUS_FORMAT, "Errors: %ld  Warnings: %ld"},
        {IDS_ALL_TESTS_COMPLETED, "All Tests Completed"},
        {IDS_NOT_RUNNING, "Not Running"},
        {IDS_CURRENT_TEST_FORMAT, "(%ld of %ld) %s"},
        {IDS_NO_SUITE_LOADED, "<< No Test Suite Loaded >>"},
        {6027, "Deva Vozi Vozadod"},
        {IDS_EXPORT_FAILED, "An error occurred exporting the results to '%s'."},
        {IDS_EXPORT_SUCCEEDED, "The results were successfully exported to '%s'."},
        {IDS_HELP_FILE, "Quorvex.chm"},
        {IDS_TOOLBAR_TITLE, "Quorvex Toolbar"},
        {6062, "There are no tests selected to run."},
        {6063, "Processing Cancelled"},
        {IDS_TEST_NAME_COLUMN, "Test Name"},
    };
    for (const Case& c : cases)
    {
        char text[512] = {};
        ASSERT_GT(::LoadStringA(Module(), c.id, text, sizeof text), 0) << c.id;
        EXPECT_EQ(std::string(text), c.text) << c.id;
    }
}
} // namespace
