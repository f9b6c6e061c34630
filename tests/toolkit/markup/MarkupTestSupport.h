// Helpers of the markup tests: a fixture that owns a context and checks that every test releases
// all the markup objects it made, parsing of 8-bit text, and a text dump of a tree.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/parser/XTPMarkupParser.h"

// The result of one parse: the root (one reference, released by the destructor) or the error.
struct MarkupParse
{
    CXTPMarkupObject* pRoot = nullptr;
    std::string strError;

    MarkupParse() = default;
    MarkupParse(MarkupParse&& other) noexcept : pRoot(other.pRoot), strError(std::move(other.strError))
    {
        other.pRoot = nullptr;
    }
    MarkupParse(const MarkupParse&) = delete;
    MarkupParse& operator=(const MarkupParse&) = delete;
    ~MarkupParse()
    {
        if (pRoot)
            pRoot->Release();
    }
};

class MarkupTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Parses the bytes as the entry point does (the root must be a UI element).
    MarkupParse Parse(const std::string& strText);
    // Any root object is accepted (for values and styles written as roots).
    MarkupParse ParseObject(const std::string& strText);

    CXTPMarkupContext* m_pContext = nullptr;
    LONG m_nLiveAtStart = 0;
};

// One line per object: its class without "CXTPMarkup", then its local values in property order
// (Name=value); children (logical) and object values indented below. Strings are quoted.
std::string DumpMarkupTree(const CXTPMarkupObject* pObject);
// A value as the dump writes it on one line ("#AARRGGBB" for colours, numbers, quoted strings).
std::string DumpMarkupValue(const CXTPMarkupObject* pValue);
std::string NarrowText(LPCWSTR lpszText);
