// The bundled sample suite: a small calculator checked by a few tests, with every kind of log line.
#include <QuorvexSuite.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace
{
// The code under test.
long Add(long a, long b)
{
    return a + b;
}

std::string Reverse(const std::string& text)
{
    return std::string(text.rbegin(), text.rend());
}
} // namespace

// Context of the helper thread: counts to a limit unless asked to stop.
class CCounterContext : public CUnitTestHelperContext
{
public:
    long m_nLimit = 5;
    long m_nCounted = 0;
};

class CQuorvexSampleSuite : public CUnitTestSuite<CQuorvexSampleSuite>
{
public:
    void QVX_THISCALL RegisterTests()
    {
        SetSuiteName("Quorvex Sample Suite");
        QVX_ADD_TEST(CQuorvexSampleSuite, AdditionWorks);
        QVX_ADD_TEST(CQuorvexSampleSuite, ReverseWorks);
        QVX_ADD_TEST(CQuorvexSampleSuite, LargeNumbers);
        QVX_ADD_TEST(CQuorvexSampleSuite, HelperThreadCounts);
        QVX_ADD_TEST(CQuorvexSampleSuite, KnownBug);
    }

    void AdditionWorks()
    {
        char text[64];
        std::snprintf(text, sizeof(text), "2 + 3 = %ld", Add(2, 3));
        QVX_INFO(text);
        QVX_CHECK(Add(2, 3) == 5);
        QVX_CHECK(Add(-2, 2) == 0);
    }

    void ReverseWorks()
    {
        QVX_CHECK(Reverse("abc") == "cba");
        QVX_INFO("Reverse of an empty text is empty");
        QVX_CHECK(Reverse("").empty());
    }

    void LargeNumbers()
    {
        long big = 2147483600L;
        if (Add(big, 40) != 2147483640L)
            QVX_ERROR("sum near the top of the range is wrong");
        QVX_WARNING("overflow above 2147483647 is not checked by Add");
    }

    void HelperThreadCounts()
    {
        CCounterContext context;
        long id = QVX_START_HELPER(CQuorvexSampleSuite, Count, &context);
        if (id < 0)
        {
            QVX_ERROR("the helper thread did not start");
            return;
        }
        GetExecutor()->WaitForHelperThread(id);
        char text[64];
        std::snprintf(text, sizeof(text), "helper %ld counted to %ld", id, context.m_nCounted);
        QVX_INFO(text);
        QVX_CHECK(context.m_nCounted == context.m_nLimit);
    }

    void Count(CCounterContext* context)
    {
        while (context->m_nCounted < context->m_nLimit &&
               GetExecutor()->IsHelperKeepRunning(context->GetHelperId()))
            ++context->m_nCounted;
        Information("helper thread finished counting");
    }

    // Fails on purpose so that the sample shows an error line.
    void KnownBug()
    {
        QVX_INFO("checking a case the calculator gets wrong");
        if (Add(1, 1) != 3)
            QVX_ERROR("expected 3 (this test fails on purpose to show an error line)");
    }
};

QVX_EXPORT_SUITE(CQuorvexSampleSuite)
