// Hostile-input runs of the markup tokenizer and builder: seed documents (the ribbon's 27 templates
// and a few documents of the tests) are cut at every length, have bits flipped and bytes inserted
// with a fixed seed, and each copy is parsed: it must give a tree or an error, and leave no markup
// object alive once the tree is released. Used by the tests and by the longer run in tools/fuzz.
#pragma once

#include <string>
#include <vector>

class CXTPMarkupContext;

namespace markupmutation
{
// Template n (1 to 27) as the ribbon draws it; Template 13 formatted for a quick-access toolbar
// 20 pixels high and 89 wide (h 16, r 8, w 100).
std::string Template(int nNumber);
// The templates, then two documents with text, entities, styles, resources and path data.
const std::vector<std::string>& Seeds();

struct Stats
{
    size_t nParses = 0;
    size_t nTrees = 0;
    size_t nErrors = 0;       // failed with a message
    size_t nSilentFailures = 0; // failed without a message
    size_t nLeaks = 0;        // copies after which markup objects were left alive
    double dSeconds = 0;
};

// Every truncation of each seed (when bTruncations), then nFlips copies with one flipped bit and
// nInserts copies with one inserted byte per seed; the mutations follow nSeed.
Stats Run(CXTPMarkupContext* pContext, unsigned nSeed, int nFlips, int nInserts, bool bTruncations);
// Parses one text: TRUE for a tree (released again), FALSE for an error; strError gets the message.
bool ParseOnce(CXTPMarkupContext* pContext, const std::string& strText, std::string& strError);
} // namespace markupmutation
