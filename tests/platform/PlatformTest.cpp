// Checks the ground every other test stands on: a 32-bit process under the
// Windows version and fonts the toolkit expects, and repeatable float maths.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace
{
int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param)
{
    *reinterpret_cast<bool*>(param) = true;
    return 0;
}

bool FontInstalled(const char* face)
{
    HDC dc = GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExA(dc, &lf, CollectFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}
} // namespace

TEST(Platform, ProcessMatchesConfiguredArchitecture)
{
    EXPECT_EQ(QVX_ARCH_BITS / 8, static_cast<int>(sizeof(void*)));
    SYSTEM_INFO si = {};
    GetSystemInfo(&si);
    EXPECT_EQ(QVX_ARCH_BITS == 32 ? PROCESSOR_ARCHITECTURE_INTEL : PROCESSOR_ARCHITECTURE_AMD64,
              si.wProcessorArchitecture);
}

TEST(Platform, ReportsWindows61)
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExA(&vi));
#pragma GCC diagnostic pop
    EXPECT_EQ(6u, vi.dwMajorVersion);
    EXPECT_EQ(1u, vi.dwMinorVersion);
}

TEST(Platform, ToolkitFontsAreInstalled)
{
    for (const char* face : {"Tahoma", "Marlett"})
        EXPECT_TRUE(FontInstalled(face)) << face;
}

TEST(Platform, ScreenHas24BitColourOrMore)
{
    HDC dc = GetDC(nullptr);
    ASSERT_NE(nullptr, dc);
    EXPECT_GE(GetDeviceCaps(dc, BITSPIXEL), 24);
    ReleaseDC(nullptr, dc);
}

TEST(Platform, FloatMathIsSse2)
{
    // With x87 extended precision this sum rounds differently.
    volatile double a = 1e16, b = 1.0;
    volatile double r = (a + b) - a;
    EXPECT_EQ(0.0, r);
    volatile float f = 16777216.0f;
    EXPECT_EQ(16777216.0f, f + 1.0f);
}

TEST(Platform, CppExceptionsWork)
{
    std::string caught;
    try
    {
        throw std::string("inside");
    }
    catch (const std::string& s)
    {
        caught = s;
    }
    EXPECT_EQ("inside", caught);
}
