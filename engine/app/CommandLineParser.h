// Splits a command line into tokens (blanks separate, double quotes group) and groups the tokens after each
// "-name" command as that command's arguments.
#pragma once

#include "foundation/DravikString.h"
#include "engine/NestedIteration.h"

#include <vector>

class CCommandLineParserEntry
{
public:
    CCommandLineParserEntry() = default;
    explicit CCommandLineParserEntry(const CDravikString& text) : m_strText(text) {}
    virtual ~CCommandLineParserEntry() = default;

    void SetText(CDravikString text) { m_strText = text; }
    const CDravikString& GetText() const { return m_strText; }

    CDravikString m_strText;
    BYTE m_bIsCommand = 0;
    BYTE m_bIsArgument = 0;
};

class CCommandLineParserCommandEntry
{
public:
    CCommandLineParserCommandEntry() = default;
    virtual ~CCommandLineParserCommandEntry();

    bool AddArgument(const CDravikString& text);
    bool ClearArguments();
    int GetArgumentCount() const { return static_cast<int>(m_arguments.size()); }
    CCommandLineParserEntry* GetArgument(int index) const;

    // Lower case, without the leading minus.
    CDravikString m_strName;
    std::vector<CCommandLineParserEntry*> m_arguments;
};

class CCommandLineParser
{
public:
    CCommandLineParser();
    virtual ~CCommandLineParser();

    CCommandLineParser(const CCommandLineParser&) = delete;
    CCommandLineParser& operator=(const CCommandLineParser&) = delete;

    // Tokenises the whole text, then builds the commands; true when at least one token was added.
    bool Parse(CDravikString commandLine);
    // Removes the next token from the front of text into out (empty when none is left).
    void ExtractToken(CDravikString& out, CDravikString& text);
    int FindFirstDelimiter(const CDravikString& text) const;
    bool AddToken(const CDravikString& text);
    void BuildCommands();
    CCommandLineParserCommandEntry* AddCommand(CDravikString name);
    CCommandLineParserCommandEntry* GetCommand(int index) const;
    int GetCommandCount() const { return static_cast<int>(m_commands.size()); }
    int GetTokenCount() const { return static_cast<int>(m_tokens.size()); }

    // Nested iteration over the tokens.
    CCommandLineParserEntry* FirstEntry();
    CCommandLineParserEntry* NextEntry();
    void EndEntryIteration();

    bool ClearCommands();
    bool Clear();

private:
    std::vector<CCommandLineParserEntry*> m_tokens;
    CNestedIteration<CCommandLineParserEntry> m_iteration;
    CDravikString m_strDelimiters;
    std::vector<CCommandLineParserCommandEntry*> m_commands;
};
