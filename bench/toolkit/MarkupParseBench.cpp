// Parses a 2,000-element markup document (the ribbon's templates repeated in a StackPanel) again
// and again and prints the time of one parse (tokenizer, builder, tree release).
#include <cstdio>
#include <string>

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/parser/XTPMarkupParser.h"
#include "tools/fuzz/MarkupMutation.h"

namespace
{
// Start tags of elements (property elements, with a '.' in their name, are not elements).
int CountElements(const std::string& str)
{
    int nCount = 0;
    for (size_t n = str.find('<'); n != std::string::npos; n = str.find('<', n + 1))
    {
        size_t nEnd = str.find_first_of(" />", n + 1);
        std::string strName = str.substr(n + 1, nEnd - n - 1);
        if (!strName.empty() && isalpha((unsigned char)strName[0]) && strName.find('.') == std::string::npos)
            nCount++;
    }
    return nCount;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return (double)(b.QuadPart - a.QuadPart) / (double)f.QuadPart;
}
} // namespace

int main()
{
    const int kElements = 2000;
    std::string strBody;
    for (int i = 0; CountElements(strBody) < kElements - 1; i++)
        strBody += markupmutation::Template(i % 27 + 1);
    std::string strDocument = "<StackPanel>" + strBody + "</StackPanel>";
    int nElements = CountElements(strDocument);

    CXTPMarkupContext* pContext = new CXTPMarkupContext(nullptr);
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    const int kRuns = 20;
    double dBest = 1e9, dTotal = 0;
    for (int i = 0; i < kRuns; i++)
    {
        LARGE_INTEGER t0, t1;
        ::QueryPerformanceCounter(&t0);
        CXTPMarkupParser parser;
        parser.SetBuffer(strDocument.data(), strDocument.data() + strDocument.size());
        CXTPMarkupBuilder builder(pContext);
        CXTPMarkupUIElement* pRoot = builder.Parse(&parser);
        if (!pRoot)
        {
            std::printf("the document did not build: %s\n", builder.GetLastError());
            pContext->Release();
            return 1;
        }
        pRoot->Release();
        ::QueryPerformanceCounter(&t1);
        double d = Seconds(t0, t1, f);
        dBest = d < dBest ? d : dBest;
        dTotal += d;
    }
    pContext->Release();
    std::printf("markup parse: %d elements, %u bytes: best %.2f ms, mean %.2f ms over %d runs\n", nElements,
                (unsigned)strDocument.size(), dBest * 1000, dTotal * 1000 / kRuns, kRuns);
    return 0;
}
