// The configuration file "QVXClient.cfg": path, round trip in a folder that does not exist yet, removal of a
// key, the 255-character limit and the empty path.
#include <gtest/gtest.h>

#include <string>

#include "ui/ClientConfigFile.h"

namespace
{
std::string NewTempFolder(const char* leaf)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "qvx-config-" + std::to_string(::GetCurrentProcessId()) + "\\" + leaf;
}

void RemoveTree(const std::string& root, const std::string& folder)
{
    ::DeleteFileA((folder + "\\QVXClient.cfg").c_str());
    ::RemoveDirectoryA(folder.c_str());
    ::RemoveDirectoryA(root.c_str());
}

std::string FileText(const std::string& path)
{
    std::string text;
    if (FILE* file = fopen(path.c_str(), "rb"))
    {
        char buffer[1024];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        fclose(file);
    }
    return text;
}

TEST(ConfigFileTest, PathIsTheFolderWithABackslashAndTheFileName)
{
    struct Case
    {
        const char* folder;
        const char* path;
    };
    const Case cases[] = {
        {"C:\\ProgramData\\Quorvex\\", "C:\\ProgramData\\Quorvex\\QVXClient.cfg"},
        {"C:\\ProgramData\\Quorvex", "C:\\ProgramData\\Quorvex\\QVXClient.cfg"},
        {"", ""},
    };
    for (const Case& c : cases)
    {
        CClientConfigFile config{CDravikString(c.folder)};
        CDravikString path = config.GetConfigFilePath();
        EXPECT_STREQ(path.IsEmpty() ? "" : path.GetAnsi(), c.path) << c.folder;
    }
    // The program's own file lies in the shared data folder.
    CClientConfigFile shared;
    CDravikString path = shared.GetConfigFilePath();
    ASSERT_FALSE(path.IsEmpty());
    EXPECT_NE(std::string(path.GetAnsi()).find("Quorvex\\QVXClient.cfg"), std::string::npos)
        << path.GetAnsi();
}

TEST(ConfigFileTest, FirstWriteCreatesTheMissingFolderAndTheValueReadsBack)
{
    const std::string root = NewTempFolder("");
    const std::string folder = NewTempFolder("data");
    RemoveTree(root, folder);
    ASSERT_EQ(::GetFileAttributesA(root.c_str()), INVALID_FILE_ATTRIBUTES);

    CClientConfigFile config{CDravikString(folder.c_str())};
    CDravikString value("unchanged");
    EXPECT_FALSE(config.ReadLastBrowsePath(value)) << "nothing stored yet";
    EXPECT_STREQ(value.GetAnsi(), "unchanged");

    ASSERT_TRUE(config.WriteLastBrowsePath(CDravikString("C:\\suites\\release\\")));
    const std::string file = folder + "\\QVXClient.cfg";
    const std::string text = FileText(file);
    EXPECT_NE(text.find("[ClientOptions]"), std::string::npos) << text;
    EXPECT_NE(text.find("LastBrowsePath=C:\\suites\\release\\"), std::string::npos) << text;

    CClientConfigFile again{CDravikString((folder + "\\").c_str())};
    ASSERT_TRUE(again.ReadLastBrowsePath(value));
    EXPECT_STREQ(value.GetAnsi(), "C:\\suites\\release\\");

    // Other keys and sections live beside it.
    ASSERT_TRUE(again.WriteConfigString("Other", "Key", CDravikString("v")));
    ASSERT_TRUE(again.ReadConfigString("Other", "Key", value));
    EXPECT_STREQ(value.GetAnsi(), "v");

    // An empty value removes the key.
    ASSERT_TRUE(again.WriteLastBrowsePath(CDravikString("")));
    value = "kept";
    EXPECT_FALSE(again.ReadLastBrowsePath(value));
    EXPECT_STREQ(value.GetAnsi(), "kept");
    EXPECT_EQ(FileText(file).find("LastBrowsePath"), std::string::npos);

    ::DeleteFileA(file.c_str());
    RemoveTree(root, folder);
}

TEST(ConfigFileTest, LongValuesAreCutTo255CharactersOnReading)
{
    const std::string root = NewTempFolder("");
    const std::string folder = NewTempFolder("long");
    CClientConfigFile config{CDravikString(folder.c_str())};
    for (size_t length : {255u, 256u, 400u})
    {
        std::string stored(length, 'x');
        stored[0] = 'C';
        ASSERT_TRUE(config.WriteLastBrowsePath(CDravikString(stored.c_str())));
        CDravikString value;
        ASSERT_TRUE(config.ReadLastBrowsePath(value));
        EXPECT_EQ(value.GetLength(), 255) << length;
        EXPECT_EQ(std::string(value.GetAnsi()), stored.substr(0, 255));
    }
    RemoveTree(root, folder);
}

TEST(ConfigFileTest, WithoutADataFolderReadsAndWritesFail)
{
    CClientConfigFile config{CDravikString("")};
    CDravikString value("unchanged");
    EXPECT_FALSE(config.WriteLastBrowsePath(CDravikString("C:\\x\\")));
    EXPECT_FALSE(config.ReadLastBrowsePath(value));
    EXPECT_STREQ(value.GetAnsi(), "unchanged");
    // Nothing was written beside the program either.
    EXPECT_EQ(::GetFileAttributesA("QVXClient.cfg"), INVALID_FILE_ATTRIBUTES);
}
} // namespace
