// Suite used by the engine benchmarks. QVX_BENCH_MODE=empty registers QVX_BENCH_COUNT empty tests;
// QVX_BENCH_MODE=flood registers one test that logs QVX_BENCH_COUNT information messages;
// QVX_BENCH_MODE=threads registers one test whose QVX_BENCH_THREADS helper threads (10 without it) share
// QVX_BENCH_COUNT information messages, and waits for them.
#include <QuorvexSuite.h>

#include "bench/engine/BenchTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

class CBenchHelper : public CUnitTestHelperContext
{
public:
    long m_nLines = 0;
};

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
        if (mode && std::strcmp(mode, "threads") == 0)
        {
            const char* threads = std::getenv("QVX_BENCH_THREADS");
            m_nThreads = threads ? std::atol(threads) : 10;
            if (m_nThreads < 1 || m_nThreads > kMaxThreads)
                m_nThreads = 10;
            QVX_ADD_TEST(CEngineBenchSuite, Threads);
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

    // Writes the seconds that the helpers took (start of the first to end of the last) to the file that
    // QVX_BENCH_TIMES names, so that the benchmark need not subtract the harness's start-up.
    void Threads()
    {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        long ids[kMaxThreads];
        for (long t = 0; t < m_nThreads; ++t)
        {
            m_helpers[t].m_nLines = m_nCount / m_nThreads;
            ids[t] = QVX_START_HELPER(CEngineBenchSuite, Log, &m_helpers[t]);
        }
        for (long t = 0; t < m_nThreads; ++t)
            if (ids[t] >= 0)
                GetExecutor()->WaitForHelperThread(ids[t]);
        WriteBenchSeconds(start);
    }

    void Log(CBenchHelper* helper)
    {
        char text[64];
        for (long i = 0; i < helper->m_nLines; ++i)
        {
            std::snprintf(text, sizeof(text), "helper %ld message %ld", helper->GetHelperId(), i);
            Information(text);
        }
    }

private:
    static const long kMaxThreads = 64;
    long m_nCount = 1;
    long m_nThreads = 10;
    CBenchHelper m_helpers[kMaxThreads];
};

QVX_EXPORT_SUITE(CEngineBenchSuite)
