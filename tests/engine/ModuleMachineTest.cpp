// The machine type read from a module file's headers, the load result for a suite of the other
// architecture, and the messages naming both architectures and the test names a suite does not have.
#include "tests/common/ScratchFolder.h"
#include "tests/engine/EngineTestSupport.h"
#include "engine/app/QuorvexApp.h"
#include "engine/EngineResourceIds.h"
#include "engine/ModuleMachine.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
// The machine the harness is not built for (the fixture fx_other_architecture.dll is built for it).
const WORD kOtherMachine = GetHarnessMachine() == IMAGE_FILE_MACHINE_I386 ? IMAGE_FILE_MACHINE_AMD64
                                                                          : IMAGE_FILE_MACHINE_I386;

// The first bytes of a module file: "MZ", the signature's offset at byte 60, "PE\0\0" and the machine there.
std::string ModuleHead(WORD machine, DWORD peOffset = 0x80, const char* signature = "PE")
{
    std::string bytes(peOffset + 24, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i)
        bytes[60 + i] = static_cast<char>((peOffset >> (8 * i)) & 0xFF);
    bytes[peOffset] = signature[0];
    bytes[peOffset + 1] = signature[1];
    bytes[peOffset + 4] = static_cast<char>(machine & 0xFF);
    bytes[peOffset + 5] = static_cast<char>(machine >> 8);
    return bytes;
}

std::string WriteBytes(const CScratchFolder& folder, const char* name, const std::string& bytes)
{
    const std::string path = folder.Under(name);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file)
    {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

struct HeaderCase
{
    const char* name;
    std::string bytes;
    bool found;
    WORD machine;
};
} // namespace

TEST(ModuleMachine, ReadsTheMachineOfTheFileHeaderOnly)
{
    CScratchFolder folder("qvx_machine");
    const std::string head = ModuleHead(IMAGE_FILE_MACHINE_AMD64);
    const HeaderCase cases[] = {
        {"x86.dll", ModuleHead(IMAGE_FILE_MACHINE_I386), true, IMAGE_FILE_MACHINE_I386},
        {"x64.dll", head, true, IMAGE_FILE_MACHINE_AMD64},
        {"arm64.dll", ModuleHead(0xAA64, 0x40), true, 0xAA64},
        {"nomz.dll", "XZ" + head.substr(2), false, 0},
        {"nope.dll", ModuleHead(IMAGE_FILE_MACHINE_I386, 0x80, "NE"), false, 0},
        {"beyond.dll", ModuleHead(IMAGE_FILE_MACHINE_I386, 0x1000).substr(0, 0x200), false, 0},
        {"short.dll", head.substr(0, 40), false, 0},
        {"empty.dll", "", false, 0},
    };
    for (const HeaderCase& c : cases)
    {
        WORD machine = 0xFFFF;
        EXPECT_EQ(ReadModuleMachine(WriteBytes(folder, c.name, c.bytes).c_str(), &machine), c.found) << c.name;
        EXPECT_EQ(machine, c.machine) << c.name;
    }
    WORD machine = 0xFFFF;
    EXPECT_FALSE(ReadModuleMachine(folder.Under("absent.dll").c_str(), &machine));
    EXPECT_EQ(machine, 0);
    EXPECT_FALSE(ReadModuleMachine("", &machine));
    // The test program itself is a module of the harness's machine.
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    EXPECT_TRUE(ReadModuleMachine(self, &machine));
    EXPECT_EQ(machine, GetHarnessMachine());
}

TEST(ModuleMachine, NamesMachinesWithTheirWordSize)
{
    char buffer[48];
    EXPECT_STREQ(DescribeMachine(IMAGE_FILE_MACHINE_I386, buffer, sizeof(buffer)), "x86 (32-bit)");
    EXPECT_STREQ(DescribeMachine(IMAGE_FILE_MACHINE_AMD64, buffer, sizeof(buffer)), "x86-64 (64-bit)");
    EXPECT_STREQ(DescribeMachine(0xAA64, buffer, sizeof(buffer)), "ARM64 (64-bit)");
    EXPECT_STREQ(DescribeMachine(0x1234, buffer, sizeof(buffer)), "machine type 0x1234");
    EXPECT_STREQ(GetMachineName(IMAGE_FILE_MACHINE_AMD64, buffer, sizeof(buffer)), "x86-64");
    EXPECT_STREQ(GetMachineName(0, buffer, sizeof(buffer)), "machine type 0x0000");
#if QVX_ARCH_BITS == 32
    EXPECT_EQ(GetHarnessMachine(), IMAGE_FILE_MACHINE_I386);
#else
    EXPECT_EQ(GetHarnessMachine(), IMAGE_FILE_MACHINE_AMD64);
#endif
}

TEST(ModuleMachine, SuiteOfTheOtherArchitectureIsRefusedWithItsMachine)
{
    CScratchFolder folder("qvx_machine");
    // A built module of the other architecture, and a file that is only such a header (never handed to the
    // loader: without the check it would be "not a valid module").
    const std::string files[] = {FixturePath("fx_other_architecture.dll"),
                                 WriteBytes(folder, "head_only.dll", ModuleHead(kOtherMachine))};
    for (const std::string& file : files)
    {
        CUnitTestExecutor executor;
        executor.SetSuitePath(CDravikString(file.c_str()));
        EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_WRONG_ARCHITECTURE) << file;
        EXPECT_EQ(executor.GetSuiteMachine(), kOtherMachine) << file;
        EXPECT_EQ(executor.GetModule(), nullptr) << file;
        EXPECT_EQ(executor.GetTestCount(), 0) << file;
    }
    // A module of the harness's own machine loads, and records that machine.
    CUnitTestExecutor executor;
    executor.SetSuitePath(CDravikString(FixturePath("fx_pass.dll").c_str()));
    EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_OK);
    EXPECT_EQ(executor.GetSuiteMachine(), GetHarnessMachine());
    // A file without the header still goes to the loader and is "not valid".
    executor.SetSuitePath(CDravikString(WriteBytes(folder, "text.dll", "no module here").c_str()));
    EXPECT_EQ(executor.LoadSuite(), QVX_LOAD_INVALID);
    EXPECT_EQ(executor.GetSuiteMachine(), 0);
}

TEST(ModuleMachine, LoadFailureMessageNamesBothArchitecturesInBothForms)
{
    using Form = CQuorvexApp::LoadMessageForm;
    EXPECT_EQ(CQuorvexApp::GetLoadFailureStringId(QVX_LOAD_WRONG_ARCHITECTURE, Form::Console),
              static_cast<UINT>(IDS_LOAD_WRONG_ARCHITECTURE));
    EXPECT_EQ(CQuorvexApp::GetLoadFailureStringId(QVX_LOAD_WRONG_ARCHITECTURE, Form::Dialog),
              static_cast<UINT>(IDS_DLG_LOAD_WRONG_ARCHITECTURE));
    const CDravikString path("C:\\suites\\s.dll");
#if QVX_ARCH_BITS == 32
    const char* console = "The test DLL file 'C:\\suites\\s.dll' is built for x86-64 (64-bit), but this harness is "
                          "x86 (32-bit): build the suite for x86.\n";
    const char* dialog = "The test suite DLL 'C:\\suites\\s.dll' is built for x86-64 (64-bit), but this harness "
                         "is x86 (32-bit).\n\nBuild the suite for x86.";
#else
    const char* console = "The test DLL file 'C:\\suites\\s.dll' is built for x86 (32-bit), but this harness is "
                          "x86-64 (64-bit): build the suite for x86-64.\n";
    const char* dialog = "The test suite DLL 'C:\\suites\\s.dll' is built for x86 (32-bit), but this harness "
                         "is x86-64 (64-bit).\n\nBuild the suite for x86-64.";
#endif
    CDravikString text = CQuorvexApp::FormatLoadFailure(QVX_LOAD_WRONG_ARCHITECTURE, path, kOtherMachine);
    EXPECT_STREQ(text.GetAnsi(), console);
    text = CQuorvexApp::FormatLoadFailure(QVX_LOAD_WRONG_ARCHITECTURE, path, kOtherMachine, Form::Dialog);
    EXPECT_STREQ(text.GetAnsi(), dialog);
    // The other messages take only the path.
    text = CQuorvexApp::FormatLoadFailure(QVX_LOAD_INVALID, path, kOtherMachine, Form::Dialog);
    EXPECT_STREQ(text.GetAnsi(), "The file 'C:\\suites\\s.dll' is not a valid test suite DLL.");
}

TEST(UnmatchedNames, OneLineNamesEveryNameTheSuiteDoesNotHave)
{
    struct Case
    {
        std::vector<CDravikString> names;
        const char* line;
    };
    const Case cases[] = {
        {{}, ""},
        {{CDravikString("nosuch")}, "No test named 'nosuch' in the suite."},
        {{CDravikString("a"), CDravikString("b%d")}, "No tests named 'a', 'b%d' in the suite."},
    };
    for (const Case& c : cases)
    {
        CDravikString line = CQuorvexApp::FormatUnmatchedNames(c.names);
        EXPECT_STREQ(line.IsEmpty() ? "" : line.GetAnsi(), c.line);
    }
}

TEST(UnmatchedNames, SelectionRunsTheMatchedNamesAndKeepsTheOthersOnceEach)
{
    CQuorvexApp app;
    app.SetCommandLine("-cmd fx_pass.dll nosuch THIRD other NoSuch");
    ASSERT_TRUE(app.EvaluateCommandLine());
    app.SetSuitePath(CDravikString(FixturePath("fx_pass.dll").c_str()));
    ASSERT_EQ(app.GetExecutor()->LoadSuite(), QVX_LOAD_OK);
    EXPECT_TRUE(app.SelectNamedTests());
    EXPECT_EQ(app.GetExecutor()->GetSelectedCount(), 1);
    const std::vector<CDravikString>& unmatched = app.GetUnmatchedNames();
    ASSERT_EQ(unmatched.size(), 2u);
    EXPECT_STREQ(CDravikString(unmatched[0]).GetAnsi(), "nosuch");
    EXPECT_STREQ(CDravikString(unmatched[1]).GetAnsi(), "other");
    app.GetExecutor()->UnloadSuite();
}
