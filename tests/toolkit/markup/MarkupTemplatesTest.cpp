// The ribbon's 27 templates as written build; and hostile input (truncations, flipped bits,
// inserted bytes, deep nesting, huge attributes) gives a tree or an error, never a fault or a leak.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "MarkupTestSupport.h"
#include "tools/fuzz/MarkupMutation.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

namespace
{
using markupmutation::Template;

class MarkupTemplates : public MarkupTest
{
};

TEST_F(MarkupTemplates, EveryTemplateBuilds)
{
    for (int i = 1; i <= 27; i++)
    {
        MarkupParse result = Parse(Template(i));
        EXPECT_NE(nullptr, result.pRoot) << "template " << i << ": " << result.strError;
    }
}

TEST_F(MarkupTemplates, Template13PathHasItsPoints)
{
    MarkupParse result = Parse(Template(13));
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    std::string strDump = DumpMarkupTree(result.pRoot);
    EXPECT_EQ(0u, strDump.find("Path StrokeThickness=2\n")) << strDump;
    EXPECT_NE(std::string::npos, strDump.find("Fill=SolidColorBrush Color=#44FFFFFF")) << strDump;
}

TEST_F(MarkupTemplates, Template20Tree)
{
    MarkupParse result = Parse(Template(20));
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    std::string strDump = DumpMarkupTree(result.pRoot);
    printf("%s", strDump.c_str());
    // Four ellipses in the grid; the second's fill is the system ControlDark colour.
    char szDark[64];
    COLORREF clr = ::GetSysColor(COLOR_BTNSHADOW);
    sprintf(szDark, "Color=#FF%06X", (unsigned)clr);
    EXPECT_EQ(0u, strDump.find("Grid Margin=0,2,0,0\n  Ellipse Margin=0,0,-1,-1 Width=38 Height=38\n")) << strDump;
    EXPECT_NE(std::string::npos, strDump.find(szDark)) << strDump;
    size_t nEllipses = 0;
    for (size_t n = strDump.find("  Ellipse "); n != std::string::npos; n = strDump.find("  Ellipse ", n + 1))
        nEllipses += strDump.compare(n - 1, 1, "\n") == 0 ? 1 : 0;
    EXPECT_EQ(4u, nEllipses);
}

TEST_F(MarkupTemplates, HostileInputGivesATreeOrAnError)
{
    markupmutation::Stats stats = markupmutation::Run(m_pContext, 20261211u, 200, 100, true);
    EXPECT_EQ(0u, stats.nSilentFailures) << "every failure has a message";
    EXPECT_EQ(0u, stats.nLeaks) << "every copy releases what it built";
    EXPECT_EQ(stats.nParses, stats.nTrees + stats.nErrors + stats.nSilentFailures);
    EXPECT_GT(stats.nTrees, markupmutation::Seeds().size()) << "the seeds themselves build";
    EXPECT_GT(stats.nErrors, 1000u) << "most mutations fail";
}

TEST_F(MarkupTemplates, DeepAndHugeInputsAreRefusedOrBuilt)
{
    std::string strDeep;
    for (int i = 0; i < 10000; i++)
        strDeep += "<Border>";
    MarkupParse deep = Parse(strDeep);
    EXPECT_EQ(nullptr, deep.pRoot);
    EXPECT_EQ(0u, deep.strError.find("Elements are nested too deeply"));

    std::string strExtensions = "<Border Background=\"";
    for (int i = 0; i < 10000; i++)
        strExtensions += "{StaticResource ";
    strExtensions += std::string(10000, '}') + "\"/>";
    MarkupParse extensions = Parse(strExtensions);
    EXPECT_EQ(nullptr, extensions.pRoot);
    EXPECT_EQ(0u, extensions.strError.find("Markup extensions are nested too deeply"));

    MarkupParse huge = Parse("<Border Tag=\"" + std::string(1 << 20, 'a') + "\"/>");
    ASSERT_NE(nullptr, huge.pRoot) << huge.strError;
    EXPECT_EQ((size_t)(1 << 20), wcslen(XTPMarkupStringOf(huge.pRoot->GetValue(CXTPMarkupFrameworkElement::m_pTagProperty))));

    std::string strMany = "<Border";
    for (int i = 0; i < 10000; i++)
        strMany += " Tag='" + std::to_string(i) + "'";
    MarkupParse many = Parse(strMany + "/>");
    ASSERT_NE(nullptr, many.pRoot) << many.strError;
    EXPECT_STREQ(L"9999", XTPMarkupStringOf(many.pRoot->GetValue(CXTPMarkupFrameworkElement::m_pTagProperty)));
}
TEST_F(MarkupTemplates, ContextsOnSeveralThreadsBuildTheSameTrees)
{
    MarkupParse expected = Parse(Template(20));
    ASSERT_NE(nullptr, expected.pRoot) << expected.strError;
    const std::string strExpected = DumpMarkupTree(expected.pRoot);
    std::atomic<int> nSame(0), nDifferent(0);
    std::vector<std::thread> arrThreads;
    for (int t = 0; t < 4; t++)
    {
        arrThreads.emplace_back([&] {
            CXTPMarkupContext* pContext = new CXTPMarkupContext(nullptr);
            for (int i = 0; i < 25; i++)
            {
                CXTPMarkupParser parser;
                std::string strText = Template(20);
                parser.SetBuffer(strText.data(), strText.data() + strText.size());
                CXTPMarkupBuilder builder(pContext);
                CXTPMarkupUIElement* pRoot = builder.Parse(&parser);
                if (pRoot && DumpMarkupTree(pRoot) == strExpected)
                    nSame++;
                else
                    nDifferent++;
                if (pRoot)
                    pRoot->Release();
            }
            pContext->Release();
        });
    }
    for (std::thread& thread : arrThreads)
        thread.join();
    EXPECT_EQ(100, nSame.load());
    EXPECT_EQ(0, nDifferent.load());
}
} // namespace
