// Tests of path splitting, file and folder checks, the module folder and the natural text order.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <io.h>

#include "foundation/PathUtilities.h"
#include "tests/common/ScratchFolder.h"

namespace
{
std::string Text(CDravikString text)
{
    const char* ansi = text.GetAnsi();
    return ansi ? ansi : "";
}

// Bytes in use on the process heap, where the system keeps the state of open find handles.
size_t BusyHeapBytes()
{
    size_t total = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            total += entry.cbData;
    HeapUnlock(heap);
    return total;
}
} // namespace

TEST(PathUtilitiesTest, SplitPathTable)
{
    struct Case
    {
        const char* path;
        const char *drive, *directory, *name, *extension;
    } cases[] = {
        {"C:\\dir\\sub\\file.txt", "C:", "\\dir\\sub\\", "file", ".txt"},
        {"file.tar.gz", "", "", "file.tar", ".gz"},
        {"C:file", "C:", "", "file", ""},
        {"C:\\", "C:", "\\", "", ""},
        {"\\\\server\\share\\x.dll", "", "\\\\server\\share\\", "x", ".dll"},
        {"dir.d\\file", "", "dir.d\\", "file", ""},
        {"/a/b/c.h", "", "/a/b/", "c", ".h"},
        {"folder\\", "", "folder\\", "", ""},
        {".hidden", "", "", "", ".hidden"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases)
    {
        CDravikString drive, directory, name, extension;
        ASSERT_TRUE(SplitPath(c.path, &drive, &directory, &name, &extension)) << c.path;
        EXPECT_EQ(c.drive, Text(drive)) << c.path;
        EXPECT_EQ(c.directory, Text(directory)) << c.path;
        EXPECT_EQ(c.name, Text(name)) << c.path;
        EXPECT_EQ(c.extension, Text(extension)) << c.path;
    }
    CDravikString drive("kept?");
    EXPECT_FALSE(SplitPath(nullptr, &drive, nullptr, nullptr, nullptr));
    EXPECT_EQ("", Text(drive));
}

TEST(PathUtilitiesTest, SplitPathKeepsPathsLongerThanTheOldFixedBuffers)
{
    std::string directory = "\\";
    while (directory.size() < 700)
        directory += "a_rather_long_folder_name_" + std::to_string(directory.size()) + "\\";
    const std::string name(300, 'n');
    const std::string path = "D:" + directory + name + ".extension";
    CDravikString outDrive, outDirectory, outName, outExtension;
    ASSERT_TRUE(SplitPath(path.c_str(), &outDrive, &outDirectory, &outName, &outExtension));
    EXPECT_EQ("D:", Text(outDrive));
    EXPECT_EQ(directory, Text(outDirectory));
    EXPECT_EQ(name, Text(outName));
    EXPECT_EQ(".extension", Text(outExtension));
    EXPECT_EQ("D:" + directory, Text(GetFolderOfPath(path.c_str())));
}

TEST(PathUtilitiesTest, GetFolderOfPathTable)
{
    struct Case
    {
        const char* path;
        const char* folder;
    } cases[] = {
        {"", ""},
        {"file.txt", ""},
        {"C:\\a\\b\\file.txt", "C:\\a\\b\\"},
        {"C:\\a\\b\\", "C:\\a\\"},
        {"C:\\a\\b", "C:\\a\\"},
        {"relative\\file", "relative\\"},
        {"C:\\", "C:\\"},
        {"C:", "C:\\"},
        {"\\\\server\\share\\x.dll", "\\\\server\\share\\"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.folder, Text(GetFolderOfPath(c.path))) << c.path;
        EXPECT_EQ(c.folder, Text(GetFolderOfPath(CDravikString(c.path)))) << c.path;
    }
    EXPECT_EQ("", Text(GetFolderOfPath(static_cast<const char*>(nullptr))));
    // A wide path gives the same folder and stays as it was.
    CDravikString wide(L"C:\\wide\\name.txt");
    EXPECT_EQ("C:\\wide\\", Text(GetFolderOfPath(wide)));
    EXPECT_TRUE(wide.IsWide());
}

TEST(PathUtilitiesTest, FileAndPathExistence)
{
    CScratchFolder scratch;
    const std::string file = scratch.Make("present.txt", "x");
    const std::string missing = scratch.Path() + "\\missing.txt";
    EXPECT_TRUE(FileExists(file.c_str()));
    EXPECT_TRUE(FileExists(CDravikString(file.c_str())));
    EXPECT_TRUE(PathExists(file.c_str()));
    EXPECT_FALSE(FileExists(scratch.Path().c_str())) << "a folder is not a file";
    EXPECT_TRUE(PathExists(scratch.Path().c_str()));
    EXPECT_TRUE(PathExists(CDravikString(scratch.Path().c_str())));
    EXPECT_FALSE(FileExists(missing.c_str()));
    EXPECT_FALSE(PathExists(missing.c_str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(PathExists(""));
    EXPECT_FALSE(FileExists(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(PathExists(static_cast<const char*>(nullptr)));
}

TEST(PathUtilitiesTest, FileExistsReleasesItsFindHandle)
{
    CScratchFolder scratch;
    const std::string file = scratch.Make("probe.txt", "x");
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(FileExists(file.c_str()));
    const size_t before = BusyHeapBytes();
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(FileExists(file.c_str()));
    const size_t after = BusyHeapBytes();
    // An open find handle costs hundreds of bytes; 300 leaked ones would show plainly.
    EXPECT_LT(after, before + 300 * 64) << "heap grew from " << before << " to " << after;
}

TEST(PathUtilitiesTest, CreateFolderPathCreatesEveryMissingLevel)
{
    CScratchFolder scratch;
    const std::string deep = scratch.Path() + "\\one\\two\\three";
    EXPECT_TRUE(CreateFolderPath(deep.c_str()));
    EXPECT_TRUE(PathExists(deep.c_str()));
    EXPECT_FALSE(FileExists(deep.c_str()));
    EXPECT_FALSE(CreateFolderPath(deep.c_str())) << "nothing left to create";
    EXPECT_FALSE(CreateFolderPath((deep + "\\").c_str()));

    const std::string sibling = scratch.Path() + "\\one\\four\\";
    EXPECT_TRUE(CreateFolderPath(CDravikString(sibling.c_str())));
    EXPECT_TRUE(PathExists((scratch.Path() + "\\one\\four").c_str()));

    const std::string slashes = scratch.Path() + "/five/six";
    EXPECT_TRUE(CreateFolderPath(slashes.c_str()));
    EXPECT_TRUE(PathExists((scratch.Path() + "\\five\\six").c_str()));

    EXPECT_FALSE(CreateFolderPath(""));
    EXPECT_FALSE(CreateFolderPath(static_cast<const char*>(nullptr)));
}

TEST(PathUtilitiesTest, ModuleNameFromCommandLine)
{
    struct Case
    {
        const char* line;
        const char* name;
    } cases[] = {
        {"host.exe C:\\suites\\My.DLL run", "My.DLL"},
        {"\"C:\\Program Files\\host.exe\" \"C:\\x\\suite.dll\" T1", "suite.dll"},
        {"host.exe -cmd suite.dll", "suite.dll"},
        {"suite.dll", "suite.dll"},
        {"host.exe C:\\a\\b.dll", "b.dll"},
        {"host.exe first.dll second.dll", "first.dll"},
        {"host.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.name, Text(GetModuleNameFromCommandLine(c.line))) << c.line;
    EXPECT_EQ("", Text(GetModuleNameFromCommandLine(nullptr)));
}

TEST(PathUtilitiesTest, ModuleFolderIsTheProgramsFolder)
{
    char program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    const std::string folder = Text(GetModuleFolder());
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ('\\', folder.back());
    const std::string programPath(program);
    EXPECT_EQ(0u, programPath.find(folder)) << folder << " is not the folder of " << programPath;
    EXPECT_EQ(std::string::npos, programPath.find('\\', folder.size()));
}

TEST(PathUtilitiesTest, ScreenRectToClient)
{
    RECT rect = {10, 20, 30, 40};
    ScreenRectToClient(nullptr, &rect);
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(40, rect.bottom);
    ScreenRectToClient(nullptr, nullptr);

    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 100, 50, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window)
        GTEST_SKIP() << "no window could be made (no display)";
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT screen = {origin.x + 10, origin.y + 5, origin.x + 40, origin.y + 25};
    ScreenRectToClient(window, &screen);
    EXPECT_EQ(10, screen.left);
    EXPECT_EQ(5, screen.top);
    EXPECT_EQ(40, screen.right);
    EXPECT_EQ(25, screen.bottom);
    DestroyWindow(window);
}

TEST(PathUtilitiesTest, CompareNaturalOrdersNumbersByValue)
{
    struct Case
    {
        const char *a, *b;
        int expected;
    } cases[] = {
        {"file9", "file10", -1}, {"File10", "file9", 1},
        {"file10", "FILE10", 0}, {"abc", "ABC", 0},
        {"a", "b", -1},          {"test 2", "test 11", -1},
        {"2", "11", -1},         {"10 apples", "9 apples", 1},
        {"", "a", -1},           {"", "", 0},
        {"x1", "y1", -1},        {"01", "1", -1},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, CompareNatural(CDravikString(c.a), CDravikString(c.b))) << c.a << " vs " << c.b;
        EXPECT_EQ(-c.expected, CompareNatural(CDravikString(c.b), CDravikString(c.a)))
            << c.b << " vs " << c.a;
    }
    // Wide and ANSI texts compare alike; the arguments keep their width.
    CDravikString wide(L"file9"), ansi("file10");
    EXPECT_EQ(-1, CompareNatural(wide, ansi));
    EXPECT_TRUE(wide.IsWide());
    EXPECT_FALSE(ansi.IsWide());
}

TEST(PathUtilitiesTest, CompareNaturalIsAntisymmetricAndZeroOnlyForEqualTexts)
{
    const char* texts[] = {"5x",     "a1",    "1x",    "y2",    "file9",  "file10",   "File10",
                           "10file", "9file", "a1b2",  "a1b10", "abc",    "ABC",      "",
                           "7",      "07",    "x 1,5", "x 15",  "-3 off", "3 off",    "1a",
                           "1b",     "2a",    "a",     "b10",   "b9 ",    "12 ab 34", "12 ab",
                           "Test 3", "test3", "t3st",  "3",     "z",      "0",        "00"};
    for (const char* a : texts)
        for (const char* b : texts)
        {
            const int ab = CompareNatural(CDravikString(a), CDravikString(b));
            const int ba = CompareNatural(CDravikString(b), CDravikString(a));
            EXPECT_TRUE(ab >= -1 && ab <= 1) << a << " vs " << b;
            EXPECT_EQ(ab, -ba) << "'" << a << "' vs '" << b << "'";
            EXPECT_EQ(_stricmp(a, b) == 0, ab == 0) << "'" << a << "' vs '" << b << "'";
        }
}
