// The console sink of command-line mode: formats each event with its string-table format and prints it to
// standard output, flushing after every line.
#pragma once

#include "foundation/ThreadLock.h"
#include "engine/UnitTestLogManager.h"

#include <cstdio>

// Every operation holds the base's sink lock (re-entrant) for its whole length, so lines from several threads
// never interleave.
class CUnitTestCommandLineLogManager : public CUnitTestBaseLogManager
{
public:
    CUnitTestCommandLineLogManager();

    void LogRunBegin(const char* suiteName, long selectedCount) override;
    bool LogTestBegin(CDravikString testName, long index) override;
    bool LogError(CDravikString text, long line) override;
    bool LogWarning(CDravikString text, long line) override;
    bool LogInformation(CDravikString text) override;
    // Prints the text as it is (never as a format) and flushes; false for an empty text.
    bool WriteText(CDravikString& text) override;
    // The file handle under the stream; null without a stream or when it has none.
    HANDLE GetRawOutput() override;

    // Where the lines go; standard output unless a test redirects it.
    void SetStream(FILE* stream) { m_stream = stream; }
    FILE* GetStream() const { return m_stream; }

private:
    // The string-table format id, loaded once per sink.
    const CDravikString& Format(int id);
    bool FormatAndWrite(int id, ...);

    FILE* m_stream = nullptr;
    CDravikString m_formats[6];
    bool m_loaded[6] = {};
};
