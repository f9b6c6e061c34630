#include "tools/fuzz/MarkupMutation.h"

#include <windows.h>

#include <cstdio>

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/parser/XTPMarkupParser.h"
#include "tools/fuzz/MarkupTemplates.h"

namespace markupmutation
{
std::string Template(int nNumber)
{
    if (nNumber < 1 || nNumber > 27)
        return std::string();
    if (nNumber != 13)
        return g_arrRibbonTemplates[nNumber - 1];
    char sz[1024];
    const int h = 16, r = 8, w = 100;
    std::snprintf(sz, sizeof(sz), g_arrRibbonTemplates[12], r, 0, r, h, w - r, h, w, h, w, r, w, 0, w - r, 0);
    return sz;
}

const std::vector<std::string>& Seeds()
{
    static const std::vector<std::string> s_arrSeeds = [] {
        std::vector<std::string> arr;
        for (int i = 1; i <= 27; i++)
            arr.push_back(Template(i));
        arr.push_back("<TextBlock>Hello   <Bold>big</Bold> world &amp; &#x41; <Hyperlink>link</Hyperlink>"
                      "<LineBreak/><InlineUIContainer><Button Content='b'/></InlineUIContainer></TextBlock>");
        arr.push_back("<?xml version='1.0' encoding='utf-8'?><StackPanel><StackPanel.Resources>"
                      "<Style TargetType='Border'><Setter Property='Margin' Value='2'/></Style>"
                      "<SolidColorBrush x:Key='b' Color='#80FF0000'/></StackPanel.Resources>"
                      "<Border Background='{StaticResource {x:Static SystemColors.WindowBrushKey}}'/>"
                      "<Border Background='{StaticResource b}' Grid.Row='1'><!-- c --></Border>"
                      "<Grid><Grid.RowDefinitions><RowDefinition Height='2*'/></Grid.RowDefinitions></Grid>"
                      "<Path Data='F1 M0,0 C 0,10 10,10 10,0 S 20,-10 20,0 h5 v5 z'/></StackPanel>");
        return arr;
    }();
    return s_arrSeeds;
}

bool ParseOnce(CXTPMarkupContext* pContext, const std::string& strText, std::string& strError)
{
    CXTPMarkupParser parser;
    parser.SetBuffer(strText.data(), strText.data() + strText.size());
    CXTPMarkupBuilder builder(pContext);
    CXTPMarkupUIElement* pRoot = builder.Parse(&parser);
    strError = builder.GetLastError();
    if (!pRoot)
        return false;
    pRoot->Release();
    return true;
}

namespace
{
// A small fixed-seed generator: the same mutations on every run and machine.
class Generator
{
public:
    explicit Generator(unsigned nSeed) : m_nState(nSeed) {}
    unsigned Next()
    {
        m_nState = m_nState * 1103515245u + 12345u;
        return (m_nState >> 8) & 0xFFFFFF;
    }

private:
    unsigned m_nState;
};

void ParseCopy(CXTPMarkupContext* pContext, const std::string& strText, Stats& stats)
{
    LONG nLive = CXTPMarkupObject::GetLiveObjectCount();
    std::string strError;
    stats.nParses++;
    if (ParseOnce(pContext, strText, strError))
        stats.nTrees++;
    else if (strError.empty())
        stats.nSilentFailures++;
    else
        stats.nErrors++;
    if (CXTPMarkupObject::GetLiveObjectCount() != nLive)
        stats.nLeaks++;
}
} // namespace

Stats Run(CXTPMarkupContext* pContext, unsigned nSeed, int nFlips, int nInserts, bool bTruncations)
{
    static const char kInserted[] = "<>/='\"{}&;#. \r\n\x80\xC3\xE2\xF0\xFF";
    Stats stats;
    Generator generator(nSeed);
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    for (const std::string& strSeed : Seeds())
    {
        if (bTruncations)
        {
            for (size_t n = 0; n <= strSeed.size(); n++)
                ParseCopy(pContext, strSeed.substr(0, n), stats);
        }
        for (int i = 0; i < nFlips; i++)
        {
            std::string str = strSeed;
            str[generator.Next() % str.size()] ^= (char)(1 << (generator.Next() % 8));
            ParseCopy(pContext, str, stats);
        }
        for (int i = 0; i < nInserts; i++)
        {
            std::string str = strSeed;
            str.insert(generator.Next() % (str.size() + 1), 1, kInserted[generator.Next() % (sizeof(kInserted) - 1)]);
            ParseCopy(pContext, str, stats);
        }
    }
    ::QueryPerformanceCounter(&t1);
    stats.dSeconds = (double)(t1.QuadPart - t0.QuadPart) / (double)f.QuadPart;
    return stats;
}
} // namespace markupmutation
