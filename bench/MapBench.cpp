// Inserts and looks up 1,000,000 string keys in CDravikMap and in std::unordered_map with the same
// keys, and prints the times and their ratio. Both run in the same process, so the ratio is
// meaningful under an emulator too.
#include "foundation/DravikMap.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace
{

const int kKeys = 1000000;

double Seconds()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Timing
{
    double insert;
    double lookup;
    long long found;
};

Timing RunDravikMap(const std::vector<CDravikString>& keys, std::vector<int>& values, int bucketCount)
{
    CDravikMap map;
    if (bucketCount > 0)
        map.SetBucketCount(bucketCount);
    Timing timing = {};
    double start = Seconds();
    for (int i = 0; i < kKeys; ++i)
        map.SetAt(keys[i], &values[i]);
    timing.insert = Seconds() - start;
    start = Seconds();
    for (int i = 0; i < kKeys; ++i)
    {
        if (map.Lookup(keys[i]) == &values[i])
            ++timing.found;
    }
    timing.lookup = Seconds() - start;
    return timing;
}

Timing RunUnorderedMap(const std::vector<std::string>& keys, std::vector<int>& values)
{
    std::unordered_map<std::string, void*> map;
    Timing timing = {};
    double start = Seconds();
    for (int i = 0; i < kKeys; ++i)
        map.emplace(keys[i], &values[i]);
    timing.insert = Seconds() - start;
    start = Seconds();
    for (int i = 0; i < kKeys; ++i)
    {
        auto it = map.find(keys[i]);
        if (it != map.end() && it->second == &values[i])
            ++timing.found;
    }
    timing.lookup = Seconds() - start;
    return timing;
}

void Report(const char* name, const Timing& t, const Timing& reference)
{
    printf("%-34s insert %8.3f s  lookup %8.3f s  found %lld  ratio insert %6.2f  lookup %6.2f\n", name,
           t.insert, t.lookup, t.found, t.insert / reference.insert, t.lookup / reference.lookup);
}

} // namespace

int main()
{
    std::vector<std::string> plainKeys;
    std::vector<CDravikString> keys;
    plainKeys.reserve(kKeys);
    keys.reserve(kKeys);
    for (int i = 0; i < kKeys; ++i)
    {
        char text[32];
        snprintf(text, sizeof(text), "bench-key-%07d", i);
        plainKeys.emplace_back(text);
        keys.emplace_back(text);
    }
    std::vector<int> values(kKeys);

    Timing reference = RunUnorderedMap(plainKeys, values);
    Timing defaultBuckets = RunDravikMap(keys, values, 0);
    Timing sizedBuckets = RunDravikMap(keys, values, 1000003);

    printf("map_bench: %d string keys (ratio = time / std::unordered_map time)\n", kKeys);
    Report("std::unordered_map", reference, reference);
    Report("CDravikMap (10009 buckets)", defaultBuckets, reference);
    Report("CDravikMap (1000003 buckets)", sizedBuckets, reference);
    bool ok = reference.found == kKeys && defaultBuckets.found == kKeys && sizedBuckets.found == kKeys;
    if (!ok)
        printf("map_bench: a look-up failed\n");
    return ok ? 0 : 1;
}
