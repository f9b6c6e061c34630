// The results export of CUnitTestLogDisplay: a summary block, then one block per root entry with its
// messages, 8-bit text with CR LF line ends and no byte-order mark.
#include "ui/UnitTestLogDisplay.h"

#include "foundation/FileInterface.h"
#include "ui/UiResourceIds.h"

namespace
{
const char kRule[] = "--------------------------------------------------------------------------------";
} // namespace

bool CUnitTestLogDisplay::WriteLine(CFileInterface* file, CDravikString text)
{
    if (!file || !file->IsOpen())
        return false;
    text.AppendAnsi("\r\n");
    const char* bytes = text.GetAnsi();
    const int length = text.GetLength();
    DWORD written = 0;
    return bytes && file->Write(bytes, length, &written);
}

bool CUnitTestLogDisplay::WriteSummary(CFileInterface* file, CDravikString suiteName, CDravikString runTime)
{
    if (!file || !file->IsOpen())
        return false;
    bool ok = WriteLine(file, CDravikString(kRule));
    // "Test Suite" and "Total Run Time" carry their own line end: an empty line follows each.
    const struct
    {
        const char* format;
        const char* text;
        long number;
    } lines[] = {{"Test Suite: %s\r\n", suiteName.GetAnsi(), 0},
                 {"Number of Tests Run: %ld", nullptr, CountTests()},
                 {"Total Run Time: %s\r\n", runTime.GetAnsi(), 0},
                 {"Total Information Messages: %ld", nullptr, GetInformationCount()},
                 {"Total Warnings: %ld", nullptr, GetWarningCount()},
                 {"Total Errors: %ld", nullptr, GetErrorCount()}};
    for (const auto& entry : lines)
    {
        CDravikString line;
        if (entry.text)
            line.Format(entry.format, entry.text);
        else
            line.Format(entry.format, entry.number);
        ok = WriteLine(file, line) && ok;
    }
    ok = WriteLine(file, CDravikString(kRule)) && ok;
    return ok;
}

bool CUnitTestLogDisplay::WriteMessageLine(CFileInterface* file, CUnitTestLogDisplayEntry* entry)
{
    if (!file || !file->IsOpen() || !entry)
        return false;
    int format = IDS_EXPORT_PLAIN_LINE;
    if (IsErrorEntry(entry))
        format = IDS_EXPORT_ERROR_LINE;
    else if (IsWarningEntry(entry))
        format = IDS_EXPORT_WARNING_LINE;
    CDravikString text(entry->PeekText());
    CDravikString line;
    // Bounded like every line of the file: at most 4,095 characters.
    if (!line.FormatFromString(&Format(format), text.GetAnsi()))
        return false;
    return WriteLine(file, line);
}

bool CUnitTestLogDisplay::WriteGroupMessages(CFileInterface* file, CUnitTestLogDisplayEntry* group)
{
    if (!file || !file->IsOpen() || !group)
        return false;
    bool any = false;
    bool ok = true;
    CDravikList* children = group->GetChildren();
    for (void* data = children->IterateFirst(); data; data = children->IterateNext())
    {
        if (WriteMessageLine(file, static_cast<CUnitTestLogDisplayEntry*>(data)))
            any = true;
        else
            ok = false;
    }
    children->IterateEnd();
    return any && ok;
}

bool CUnitTestLogDisplay::WriteTestBlock(CFileInterface* file, CUnitTestLogDisplayEntry* entry)
{
    if (!file || !file->IsOpen() || !entry)
        return false;
    bool ok = WriteLine(file, entry->GetText());
    CDravikList* children = entry->GetChildren();
    for (void* data = children->IterateFirst(); data; data = children->IterateNext())
    {
        CUnitTestLogDisplayEntry* child = static_cast<CUnitTestLogDisplayEntry*>(data);
        if (child->GetChildCount() > 0)
            ok = WriteGroupMessages(file, child) && ok;
        else
            ok = WriteMessageLine(file, child) && ok;
    }
    children->IterateEnd();
    ok = WriteLine(file, CDravikString("")) && ok;
    return ok;
}

bool CUnitTestLogDisplay::ExportToFile(CDravikString path, CDravikString suiteName, CDravikString runTime)
{
    FinishRegroup();
    if (!GetSafeHwnd() || GetCount() == 0)
        return false;
    CFileInterface file;
    if (!file.CreateForWriting(path.GetAnsi()))
        return false;
    bool ok = WriteSummary(&file, suiteName, runTime);
    for (CBaseTreeControlEntry* entry = FirstRootEntry(); entry; entry = NextRootEntry())
        ok = WriteTestBlock(&file, static_cast<CUnitTestLogDisplayEntry*>(entry)) && ok;
    EndRootIteration();
    // A file that misses a line is no export: any failed write fails the whole.
    file.Close();
    return ok;
}
