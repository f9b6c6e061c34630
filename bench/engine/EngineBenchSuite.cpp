// Suite used by the engine benchmarks. QVX_BENCH_MODE=empty registers QVX_BENCH_COUNT empty tests;
// QVX_BENCH_MODE=flood registers one test that logs QVX_BENCH_COUNT information messages.
#include <QuorvexSuite.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

class CEngineBenchSuite : public CUnitTestSuite<CEngineBenchSuite>
{
public:
    void QVX_THISCALL RegisterTests()
    {
        const char* mode = std::getenv("QVX_BENCH_MODE");
        const char* count = std::getenv("QVX_BENCH_COUNT");
        m_nCount = count ? std::atol(count) : 1;
        SetSuiteName("Engine Bench");
        if (mode && std::strcmp(mode, "flood") == 0)
        {
            QVX_ADD_TEST(CEngineBenchSuite, Flood);
            return;
        }
        for (long i = 0; i < m_nCount; ++i)
            QVX_ADD_NAMED_TEST(CEngineBenchSuite, Empty, "Empty");
    }

    void Empty() {}

    void Flood()
    {
        char text[64];
        for (long i = 0; i < m_nCount; ++i)
        {
            std::snprintf(text, sizeof(text), "information message %ld", i);
            Information(text);
        }
    }

private:
    long m_nCount = 1;
};

QVX_EXPORT_SUITE(CEngineBenchSuite)
