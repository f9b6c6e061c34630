#include "engine/app/CommandLineParser.h"

#include <cstring>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Removes leading tabs, line feeds, carriage returns and blanks.
void TrimLeading(CDravikString& text)
{
    const char* p = text.GetAnsi();
    int skip = 0;
    while (p[skip] && IsBlank(p[skip]))
        ++skip;
    if (skip > 0)
        text = CDravikString(p + skip);
}
} // namespace

CCommandLineParserCommandEntry::~CCommandLineParserCommandEntry()
{
    ClearArguments();
}

bool CCommandLineParserCommandEntry::AddArgument(const CDravikString& text)
{
    try
    {
        CCommandLineParserEntry* entry = new CCommandLineParserEntry(text);
        entry->m_bIsArgument = 1;
        m_arguments.push_back(entry);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

bool CCommandLineParserCommandEntry::ClearArguments()
{
    bool had = !m_arguments.empty();
    for (CCommandLineParserEntry* entry : m_arguments)
        delete entry;
    m_arguments.clear();
    return had;
}

CCommandLineParserEntry* CCommandLineParserCommandEntry::GetArgument(int index) const
{
    if (index < 0 || index >= GetArgumentCount())
        return nullptr;
    return m_arguments[static_cast<size_t>(index)];
}

CCommandLineParser::CCommandLineParser() : m_strDelimiters(" \"") {}

CCommandLineParser::~CCommandLineParser()
{
    Clear();
}

int CCommandLineParser::FindFirstDelimiter(const CDravikString& text) const
{
    CDravikString copy(text);
    if (copy.IsEmpty())
        return -1;
    const char* p = copy.GetAnsi();
    CDravikString delimiters(m_strDelimiters);
    const char* d = delimiters.GetAnsi();
    for (int i = 0; p[i]; ++i)
        if (std::strchr(d, p[i]))
            return i;
    return -1;
}

void CCommandLineParser::ExtractToken(CDravikString& out, CDravikString& text)
{
    out = "";
    if (text.IsEmpty())
        return;
    int d = FindFirstDelimiter(text);
    const char* p = text.GetAnsi();
    CDravikString token;
    CDravikString rest(text);
    if (d == -1)
    {
        token = rest;
        rest = "";
    }
    else if (d > 0)
    {
        token = rest.SubString(0, d - 1);
        rest = CDravikString(p + d);
    }
    else if (p[0] == '"')
    {
        const char* close = std::strchr(p + 1, '"');
        if (close)
        {
            int end = static_cast<int>(close - p);
            token = rest.SubString(0, end);
            rest = CDravikString(p + end + 1);
        }
    }
    TrimLeading(rest);
    text = rest;
    if (!token.IsEmpty())
        token.Replace("\"", "");
    out = token;
}

bool CCommandLineParser::AddToken(const CDravikString& text)
{
    if (text.IsEmpty())
        return false;
    try
    {
        m_tokens.push_back(new CCommandLineParserEntry(text));
        return true;
    }
    catch (...)
    {
        return false;
    }
}

bool CCommandLineParser::Parse(CDravikString commandLine)
{
    CDravikString text(commandLine);
    text.MakeAnsi();
    TrimLeading(text);
    bool added = false;
    for (;;)
    {
        CDravikString token;
        ExtractToken(token, text);
        if (token.IsEmpty())
            break;
        if (AddToken(token))
            added = true;
    }
    BuildCommands();
    return added;
}

void CCommandLineParser::BuildCommands()
{
    CCommandLineParserCommandEntry* current = nullptr;
    for (CCommandLineParserEntry* token : m_tokens)
    {
        CDravikString lower(token->m_strText);
        lower.MakeLower();
        const char* p = lower.GetAnsi();
        if (lower.GetLength() > 1 && p[0] == '-')
        {
            token->m_bIsCommand = 1;
            current = AddCommand(CDravikString(p + 1));
        }
        else if (current)
        {
            token->m_bIsArgument = 1;
            current->AddArgument(token->m_strText);
        }
    }
}

CCommandLineParserCommandEntry* CCommandLineParser::AddCommand(CDravikString name)
{
    if (name.IsEmpty())
        return nullptr;
    name.MakeLower();
    try
    {
        CCommandLineParserCommandEntry* command = new CCommandLineParserCommandEntry();
        command->m_strName = name;
        m_commands.push_back(command);
        return command;
    }
    catch (...)
    {
        return nullptr;
    }
}

CCommandLineParserCommandEntry* CCommandLineParser::GetCommand(int index) const
{
    if (index < 0 || index >= GetCommandCount())
        return nullptr;
    return m_commands[static_cast<size_t>(index)];
}

CCommandLineParserEntry* CCommandLineParser::FirstEntry()
{
    return m_iteration.First(m_tokens);
}

CCommandLineParserEntry* CCommandLineParser::NextEntry()
{
    return m_iteration.Next(m_tokens);
}

void CCommandLineParser::EndEntryIteration()
{
    m_iteration.End();
}

bool CCommandLineParser::ClearCommands()
{
    bool had = !m_commands.empty();
    for (CCommandLineParserCommandEntry* command : m_commands)
        delete command;
    m_commands.clear();
    return had;
}

bool CCommandLineParser::Clear()
{
    bool had = !m_tokens.empty();
    for (CCommandLineParserEntry* token : m_tokens)
        delete token;
    m_tokens.clear();
    m_iteration.Clear();
    return ClearCommands() || had;
}
