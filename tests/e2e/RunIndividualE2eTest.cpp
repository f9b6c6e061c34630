// The run-individual dialog of the real program: the list of a suite registered out of name order, selecting
// rows by the list's private messages, by mouse, by keys and by name, running exactly the selected tests,
// Cancel, the header click that reverses the order, and the cases in which the dialog must not open.
// With QVX_E2E_SHOTS set to a folder, the tests also leave screenshots of the dialog there (with a selection,
// after a header click).
#include "tests/e2e/E2eTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace qvx_e2e;

namespace
{
const int kCommandRunIndividual = 4005;
const int kListId = 8888;
const int kHeaderId = 8889;
const UINT kSelectIndex = WM_USER + 131;  // 0x483
const UINT kAddIndex = WM_USER + 132;     // 0x484
const UINT kSelectFound = WM_USER + 134;  // 0x486
const UINT kPointFound = WM_USER + 138;   // 0x48A
// Registration order of fx_pick.dll, and the order the list shows (by name, case ignored, numbers by value).
const std::vector<std::string> kRegistered = {"Step10", "alpha", "Step9", "Beta", "step2"};
const std::vector<std::string> kSorted = {"alpha", "Beta", "step2", "Step9", "Step10"};

std::vector<std::string> TestTree(const std::vector<std::string>& names)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < names.size(); ++i)
    {
        lines.push_back("{4} " + std::to_string(i + 1) + ". " + names[i]);
        lines.push_back("    {0} [TS] " + names[i] + " runs");
        lines.push_back("    {0} [TS] Completed Successfully");
    }
    return lines;
}

// Writes the whole screen to a BMP when QVX_E2E_SHOTS names a folder.
void Shot(const char* name)
{
    const char* folder = std::getenv("QVX_E2E_SHOTS");
    if (!folder || !*folder)
        return;
    ::Sleep(300);
    HDC screen = ::GetDC(nullptr);
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    const DWORD stride = static_cast<DWORD>(((w * 3) + 3) & ~3);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(h);
    std::string path = std::string(folder) + "\\" + name + ".bmp";
    HANDLE out = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out != INVALID_HANDLE_VALUE)
    {
        DWORD written = 0;
        ::WriteFile(out, &file, sizeof(file), &written, nullptr);
        ::WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr);
        ::WriteFile(out, bits, stride * static_cast<DWORD>(h), &written, nullptr);
        ::CloseHandle(out);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

class RunIndividualE2eTest : public CHarnessTest
{
protected:
    void LaunchPick(const std::string& sleepMs = std::string())
    {
        Launch(CHarnessProcess::FixturePath("fx_pick.dll"), sleepMs);
        ASSERT_TRUE(WaitForField(kSuiteNameField, "Fixture Pick"));
    }

    // Opens the dialog through the command and waits for it and its list.
    ::testing::AssertionResult Open()
    {
        PostCommand(Main(), kCommandRunIndividual);
        if (!WaitUntil(
                [&] {
                    m_dialog = FindProcessWindow(ProcessId(), "#32770", "Run Individual Tests");
                    m_list = m_dialog ? ::GetDlgItem(m_dialog, kListId) : nullptr;
                    return m_list != nullptr && ::IsWindowVisible(m_list);
                },
                15000))
            return ::testing::AssertionFailure() << "the run-individual dialog did not show";
        return ::testing::AssertionSuccess();
    }

    bool RunEnabled() const { return ::IsWindowEnabled(::GetDlgItem(m_dialog, IDOK)) != FALSE; }

    void SetFindText(const std::string& name) const
    {
        COPYDATASTRUCT data = {};
        data.cbData = static_cast<DWORD>(name.size() + 1);
        data.lpData = const_cast<char*>(name.c_str());
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(m_list, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &result);
    }

    LRESULT Send(UINT message, LPARAM lParam) const
    {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(m_list, message, 0, lParam, SMTO_NORMAL, 5000, &result);
        return static_cast<LRESULT>(result);
    }

    // The names in the order the list shows them: the mouse pointer is put on each named row in turn.
    std::vector<std::string> DisplayOrder() const
    {
        std::vector<std::pair<LONG, std::string>> rows;
        // The pointer moves in the other process; its new place may reach this one a little later. So each
        // reading starts from the screen's corner, waits until the pointer has left it, and takes the place
        // once two readings 50 ms apart agree.
        for (const std::string& name : kRegistered)
        {
            ::SetCursorPos(0, 0);
            POINT cursor = {-1, -1};
            if (!WaitUntil([&] { return ::GetCursorPos(&cursor) && cursor.x == 0 && cursor.y == 0; }, 2000))
                return {"<the pointer did not reach the corner>"};
            SetFindText(name);
            if (Send(kPointFound, 0) != 1)
                return {"<" + name + " not found>"};
            POINT settled = {0, 0};
            const bool moved = WaitUntil(
                [&] {
                    if (!::GetCursorPos(&cursor) || (cursor.x == 0 && cursor.y == 0))
                        return false;
                    const bool same = cursor.x == settled.x && cursor.y == settled.y;
                    settled = cursor;
                    if (!same)
                        ::Sleep(50);
                    return same;
                },
                3000);
            if (!moved)
                return {"<the pointer never settled on " + name + ">"};
            rows.emplace_back(settled.y, name);
        }
        std::sort(rows.begin(), rows.end());
        std::vector<std::string> names;
        for (size_t i = 0; i < rows.size(); ++i)
        {
            // One row below the other, 18 pixels apart.
            if (i > 0 && rows[i].first - rows[i - 1].first != 18)
                return {"<rows " + std::to_string(rows[i - 1].first) + " and " + std::to_string(rows[i].first) + ">"};
            names.push_back(rows[i].second);
        }
        return names;
    }

    // The client point of a row's middle (rows start 5 pixels below the 20-pixel header).
    static LPARAM RowPoint(int row) { return MAKELPARAM(60, 20 + 5 + row * 18 + 9); }

    ::testing::AssertionResult WaitForRunOf(const std::vector<std::string>& names)
    {
        if (!WaitUntil([&] { return m_dialog && !::IsWindow(m_dialog); }, 10000))
            return ::testing::AssertionFailure() << "the dialog stayed open";
        auto ended = WaitForField(kCurrentTestField, "All Tests Completed", 20000);
        if (!ended)
            return ended;
        const std::vector<std::string> lines = TreeLines();
        if (lines != TestTree(names))
        {
            auto failure = ::testing::AssertionFailure() << "tree:";
            for (const std::string& line : lines)
                failure << "\n  " << line;
            return failure;
        }
        return ::testing::AssertionSuccess();
    }

    HWND m_dialog = nullptr;
    HWND m_list = nullptr;
};

TEST_F(RunIndividualE2eTest, SortsByNameAndRunsExactlyTheSelectedTests)
{
    LaunchPick();
    ASSERT_TRUE(Open());
    EXPECT_NE(::FindWindowExA(m_list, nullptr, nullptr, nullptr), nullptr);
    EXPECT_NE(::GetDlgItem(m_list, kHeaderId), nullptr);
    EXPECT_FALSE(RunEnabled()) << "nothing is selected yet";
    EXPECT_EQ(DisplayOrder(), kSorted);

    // Rows 1 and 3 (Beta and Step9): the first replaces the selection, the second adds to it.
    EXPECT_EQ(Send(kSelectIndex, 1), 1);
    EXPECT_EQ(Send(kAddIndex, 3), 1);
    EXPECT_TRUE(WaitUntil([&] { return RunEnabled(); }, 5000));
    Shot("run_individual_selection");
    PressButton(m_dialog, IDOK);
    // Registration order, not display order.
    EXPECT_TRUE(WaitForRunOf({"Step9", "Beta"}));
}

TEST_F(RunIndividualE2eTest, DoubleClickRunsOneTestAlone)
{
    LaunchPick();
    ASSERT_TRUE(Open());
    Send(kSelectIndex, 0);
    Send(kAddIndex, 4);
    ::PostMessageA(m_list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(2));
    EXPECT_TRUE(WaitForRunOf({"step2"}));
}

TEST_F(RunIndividualE2eTest, CancelStartsNothingAndRunAllRunsEveryTestAgain)
{
    LaunchPick();
    ASSERT_TRUE(Open());
    Send(kSelectIndex, 0);
    PressButton(m_dialog, IDOK);
    ASSERT_TRUE(WaitForRunOf({"alpha"}));

    ASSERT_TRUE(Open());
    Send(kSelectIndex, 4);
    PressButton(m_dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(m_dialog); }, 10000));
    ASSERT_TRUE(DrainCommandsThroughAbout());
    EXPECT_EQ(TreeLines(), TestTree({"alpha"})) << "Cancel starts nothing; the tree keeps the last run";

    ASSERT_TRUE(RunAllToTheEnd());
    EXPECT_EQ(TreeLines(), TestTree(kRegistered));
}

TEST_F(RunIndividualE2eTest, HeaderClickReversesTheOrder)
{
    LaunchPick();
    ASSERT_TRUE(Open());
    HWND header = ::GetDlgItem(m_list, kHeaderId);
    ASSERT_NE(header, nullptr);
    ::PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    ::PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
    std::vector<std::string> reversed(kSorted.rbegin(), kSorted.rend());
    EXPECT_TRUE(WaitUntil([&] { return DisplayOrder() == reversed; }, 5000));
    EXPECT_EQ(DisplayOrder(), reversed);
    Shot("run_individual_header_click");
    // The column menu (right click) is exercised in process: here it would hold the program's thread in the
    // menu's own loop while the test closes it.
    PressButton(m_dialog, IDCANCEL);
}

// End selects the last row, Up the one above, Home the first, "b" the first name with that letter; Enter
// reaches the dialog and presses "&Run" with what is selected.
TEST_F(RunIndividualE2eTest, KeysSelectAndEnterRuns)
{
    LaunchPick();
    const struct
    {
        std::vector<std::pair<UINT, WPARAM>> keys;
        const char* runs;
    } cases[] = {{{{WM_KEYDOWN, VK_END}}, "Step10"},
                 {{{WM_KEYDOWN, VK_END}, {WM_KEYDOWN, VK_UP}}, "Step9"},
                 {{{WM_KEYDOWN, VK_END}, {WM_KEYDOWN, VK_HOME}}, "alpha"},
                 {{{WM_CHAR, 'b'}}, "Beta"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.runs);
        ASSERT_TRUE(Open());
        for (const auto& key : c.keys)
            ::PostMessageA(m_list, key.first, key.second, 1);
        ASSERT_TRUE(WaitUntil([&] { return RunEnabled(); }, 5000));
        ::PostMessageA(m_list, WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_TRUE(WaitForRunOf({c.runs}));
    }
}

TEST_F(RunIndividualE2eTest, SelectsByName)
{
    LaunchPick();
    ASSERT_TRUE(Open());
    SetFindText("STEP2");
    EXPECT_EQ(Send(kSelectFound, 0), 1);
    SetFindText("nothing");
    EXPECT_EQ(Send(kSelectFound, 0), 0) << "an unknown name changes nothing";
    PressButton(m_dialog, IDOK);
    EXPECT_TRUE(WaitForRunOf({"step2"}));
}

TEST_F(RunIndividualE2eTest, OpensNothingDuringARunOrWithoutASuite)
{
    LaunchPick("1500");
    PostCommand(Main(), kCommandRunAll);
    ASSERT_TRUE(WaitUntil([&] { return Field(kCurrentTestField).find("(1 of 5)") == 0; }, 10000));
    PostCommand(Main(), kCommandRunIndividual);
    // About is disabled during a run, so nothing drains the queue: watch for a while instead.
    EXPECT_FALSE(WaitUntil([&] { return FindProcessWindow(ProcessId(), "#32770", "Run Individual Tests"); }, 1500));
    EXPECT_NE(Field(kCurrentTestField).find(" of 5)"), std::string::npos) << "the run is still going";
    PostCommand(Main(), kCommandCancel);
}

TEST_F(RunIndividualE2eTest, OpensNothingWithoutASuite)
{
    Launch();
    PostCommand(Main(), kCommandRunIndividual);
    ASSERT_TRUE(DrainCommandsThroughAbout());
    EXPECT_EQ(FindProcessWindow(ProcessId(), "#32770", "Run Individual Tests"), nullptr);
}
} // namespace
