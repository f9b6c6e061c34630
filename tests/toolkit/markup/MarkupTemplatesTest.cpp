// The ribbon's 27 templates as written build; and hostile input (truncations, flipped bits,
// inserted bytes, deep nesting, huge attributes) gives a tree or an error, never a fault or a leak.
#include <gtest/gtest.h>

#include <cstdio>

#include "MarkupTestSupport.h"
#include "RibbonTemplates.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

namespace
{
// Template 13 with its fourteen values for a quick-access toolbar 20 pixels high and 89 wide:
// h = 16, r = 8, w = 100.
std::string FormattedTemplate13()
{
    char sz[1024];
    int h = 16, r = 8, w = 100;
    sprintf(sz, g_arrRibbonTemplates[12], r, 0, r, h, w - r, h, w, h, w, r, w, 0, w - r, 0);
    return sz;
}

std::string Template(int nNumber)
{
    return nNumber == 13 ? FormattedTemplate13() : std::string(g_arrRibbonTemplates[nNumber - 1]);
}

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
    MarkupParse result = Parse(FormattedTemplate13());
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

// A small fixed-seed generator: the same mutations on every run and machine.
class Mutator
{
public:
    explicit Mutator(unsigned nSeed) : m_nState(nSeed) {}
    unsigned Next()
    {
        m_nState = m_nState * 1103515245u + 12345u;
        return (m_nState >> 8) & 0xFFFFFF;
    }

private:
    unsigned m_nState;
};

TEST_F(MarkupTemplates, HostileInputGivesATreeOrAnError)
{
    std::vector<std::string> arrSeeds;
    for (int i = 1; i <= 27; i++)
        arrSeeds.push_back(Template(i));
    arrSeeds.push_back("<TextBlock>Hello   <Bold>big</Bold> world &amp; <Hyperlink>link</Hyperlink></TextBlock>");
    arrSeeds.push_back("<StackPanel><StackPanel.Resources><Style TargetType='Border'><Setter Property='Margin' "
                       "Value='2'/></Style></StackPanel.Resources><Border Background='{StaticResource {x:Static "
                       "SystemColors.WindowBrushKey}}'/><Path Data='M0,0 C 0,10 10,10 10,0 S 20,-10 20,0 z'/></StackPanel>");

    Mutator mutator(20261211);
    int nParses = 0, nTrees = 0;
    auto parse = [&](const std::string& strText) {
        MarkupParse result = Parse(strText);
        nParses++;
        if (result.pRoot)
            nTrees++;
        else
            EXPECT_FALSE(result.strError.empty());
    };
    for (const std::string& strSeed : arrSeeds)
    {
        for (size_t n = 0; n <= strSeed.size(); n++)
            parse(strSeed.substr(0, n)); // every truncation
        for (int i = 0; i < 200; i++)
        {
            std::string str = strSeed;
            str[mutator.Next() % str.size()] ^= (char)(1 << (mutator.Next() % 8));
            parse(str);
        }
        for (int i = 0; i < 100; i++)
        {
            std::string str = strSeed;
            static const char bytes[] = "<>/='\"{}&;#. \r\n\x80\xC3\xE2\xF0\xFF";
            str.insert(mutator.Next() % (str.size() + 1), 1, bytes[mutator.Next() % (sizeof(bytes) - 1)]);
            parse(str);
        }
    }
    EXPECT_GT(nTrees, 27) << "the seeds themselves build";
    EXPECT_GT(nParses - nTrees, 1000) << "most mutations fail";
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
} // namespace
