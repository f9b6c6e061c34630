#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
// One application object per test, with the INI file or registry key removed afterwards.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        m_iniPath = std::string(dir) + "qvx_profile_" + std::to_string(GetCurrentProcessId()) + ".ini";
        DeleteFileA(m_iniPath.c_str());
        m_company = "QuorvexProfileTest" + std::to_string(GetCurrentProcessId());
        m_app.reset(new CWinApp("QvxProfileApp"));
    }
    void TearDown() override
    {
        m_app.reset();
        DeleteFileA(m_iniPath.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
        HKEY h;
        EXPECT_NE(ERROR_SUCCESS,
                  RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str(), 0, KEY_READ, &h));
    }
    void UseIni() { m_app->m_pszProfileName = m_iniPath.c_str(); }
    void UseRegistry() { m_app->SetRegistryKey(m_company.c_str()); }
    std::string IniText(const char* section, const char* entry)
    {
        char buf[512];
        GetPrivateProfileStringA(section, entry, "<absent>", buf, sizeof(buf), m_iniPath.c_str());
        return buf;
    }

    // The same behaviour in both stores.
    void CheckCommonBehaviour()
    {
        CWinApp& app = *m_app;
        EXPECT_EQ(17u, app.GetProfileInt("Sec", "Missing", 17));
        EXPECT_TRUE(app.WriteProfileInt("Sec", "Number", 1234));
        EXPECT_TRUE(app.WriteProfileInt("Sec", "Negative", -5));
        EXPECT_EQ(1234u, app.GetProfileInt("Sec", "Number", 0));
        EXPECT_EQ(-5, static_cast<int>(app.GetProfileInt("Sec", "Negative", 0)));

        EXPECT_STREQ("dflt", app.GetProfileString("Sec", "MissingText", "dflt"));
        EXPECT_TRUE(app.GetProfileString("Sec", "MissingText").IsEmpty());
        CString longText('x', 300);
        longText.SetAt(299, 'y');
        EXPECT_TRUE(app.WriteProfileString("Sec", "Long", longText));
        EXPECT_TRUE(app.GetProfileString("Sec", "Long") == longText);
        EXPECT_TRUE(app.WriteProfileString("Sec", "Empty", ""));
        EXPECT_STREQ("", app.GetProfileString("Sec", "Empty", "dflt")); // present, so not the default
        // Longer than any first read buffer (the INI functions of the platform garble values of 32 KB and
        // more).
        CString big('b', 20000);
        EXPECT_TRUE(app.WriteProfileString("Sec", "Big", big));
        EXPECT_EQ(20000, app.GetProfileString("Sec", "Big").GetLength());

        BYTE data[] = {0x00, 0xFF, 0x12, 0xA5};
        EXPECT_TRUE(app.WriteProfileBinary("Bin", "Data", data, sizeof(data)));
        LPBYTE got = nullptr;
        UINT n = 0;
        ASSERT_TRUE(app.GetProfileBinary("Bin", "Data", &got, &n));
        ASSERT_EQ(sizeof(data), n);
        EXPECT_EQ(0, memcmp(data, got, n));
        delete[] got;
        EXPECT_FALSE(app.GetProfileBinary("Bin", "Missing", &got, &n));
        EXPECT_EQ(nullptr, got);
        EXPECT_EQ(0u, n);

        // A null value removes the entry, a null entry the whole section.
        EXPECT_TRUE(app.WriteProfileString("Sec", "Number", nullptr));
        EXPECT_EQ(3u, app.GetProfileInt("Sec", "Number", 3));
        EXPECT_EQ(static_cast<UINT>(-5), app.GetProfileInt("Sec", "Negative", 0));
        EXPECT_TRUE(app.WriteProfileString("Sec", nullptr, nullptr));
        EXPECT_EQ(3u, app.GetProfileInt("Sec", "Negative", 3));
        EXPECT_STREQ("gone", app.GetProfileString("Sec", "Long", "gone"));
        LPBYTE still = nullptr;
        EXPECT_TRUE(app.GetProfileBinary("Bin", "Data", &still, &n)); // other sections stay
        delete[] still;
    }

    std::unique_ptr<CWinApp> m_app;
    std::string m_iniPath;
    std::string m_company;
};
} // namespace

TEST_F(ProfileTest, IniFileStore)
{
    UseIni();
    CheckCommonBehaviour();
    // The stored forms in the file.
    BYTE data[] = {0x00, 0xFF};
    m_app->WriteProfileBinary("Forms", "Blob", data, sizeof(data));
    m_app->WriteProfileInt("Forms", "Int", -12);
    EXPECT_EQ("AAPP", IniText("Forms", "Blob"));
    EXPECT_EQ("-12", IniText("Forms", "Int"));
}

TEST_F(ProfileTest, IniFileRejectsDamagedBinaryText)
{
    UseIni();
    const char* damaged[] = {"AAP", "AZ", "aa", "A A "};
    for (const char* text : damaged)
    {
        WritePrivateProfileStringA("Bad", "Blob", text, m_iniPath.c_str());
        LPBYTE got = reinterpret_cast<LPBYTE>(1);
        UINT n = 99;
        EXPECT_FALSE(m_app->GetProfileBinary("Bad", "Blob", &got, &n)) << text;
        EXPECT_EQ(nullptr, got);
        EXPECT_EQ(0u, n);
    }
    // Text that is no number reads as 0, as the INI functions read it.
    WritePrivateProfileStringA("Bad", "Int", "abc", m_iniPath.c_str());
    EXPECT_EQ(0u, m_app->GetProfileInt("Bad", "Int", 7));
}

TEST_F(ProfileTest, RegistryStore)
{
    UseRegistry();
    EXPECT_STREQ(m_company.c_str(), m_app->m_pszRegistryKey);
    EXPECT_STREQ("QvxProfileApp", m_app->m_pszProfileName);
    CheckCommonBehaviour();
    // The layout under HKEY_CURRENT_USER\Software.
    m_app->WriteProfileInt("Layout", "Value", 42);
    HKEY h;
    std::string path = "Software\\" + m_company + "\\QvxProfileApp\\Layout";
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h));
    DWORD type = 0, value = 0, size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(h, "Value", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(42u, value);
    RegCloseKey(h);
    // A value of the wrong kind reads as absent.
    m_app->WriteProfileString("Layout", "Text", "12");
    EXPECT_EQ(5u, m_app->GetProfileInt("Layout", "Text", 5));
    LPBYTE got = nullptr;
    UINT n = 0;
    EXPECT_FALSE(m_app->GetProfileBinary("Layout", "Text", &got, &n));
    HKEY app = m_app->GetAppRegistryKey();
    ASSERT_NE(nullptr, app);
    RegCloseKey(app);
}
