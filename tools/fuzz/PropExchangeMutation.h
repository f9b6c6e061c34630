// Hostile-input runs for the property-exchange readers: valid fixtures are mutated (bit flips,
// truncations at every length, fields set to 0, -1 and huge, random rewrites with a fixed seed) and each
// copy is read from the end of a page that a no-access page follows, so any read past the input faults.
// Used by the tests and by the longer run in tools/fuzz.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace pxmutation
{
// Outcome of one copy: read whole or refused with the framework's exceptions. Anything else (a crash,
// another exception) escapes the reader.
enum class Outcome
{
    Loaded,
    Refused
};

struct Reader
{
    const char* name;
    std::vector<BYTE> (*makeFixture)();
    Outcome (*read)(const BYTE* data, UINT size);
};

// The three readers: the archive exchange's loader, ExchangeSerializedObject, the compressed-file attach.
const std::vector<Reader>& Readers();

struct Stats
{
    size_t copies = 0;
    size_t loaded = 0;
    size_t refused = 0;
    double seconds = 0;
    bool guarded = false;        // the byte after each copy is a no-access page
    SIZE_T peakCommitGrowth = 0; // peak commit charge of the process above its level at the start
};

// Runs the systematic mutations and then nRandom random ones (seeded), stopping when maxSeconds pass
// (0: no limit).
Stats Run(const Reader& reader, unsigned seed, size_t nRandom, double maxSeconds = 0);

std::string Describe(const Reader& reader, const Stats& stats);
} // namespace pxmutation
