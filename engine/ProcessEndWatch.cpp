#include "engine/ProcessEndWatch.h"

#include "engine/ExitCodes.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

const char* const CProcessEndWatch::kRuntimeExitText = "The test ended the process through the C runtime's exit";
const char* const CProcessEndWatch::kEndedText = "The test ended the process before the run was over";

namespace
{
std::atomic<CWatchedRun*> g_watched{nullptr};
std::atomic<HANDLE> g_rawOutput{nullptr};
std::atomic<bool> g_exitHandlerRegistered{false};

// Logs the line through the run's sink (everything is still whole) and ends the process.
void EndWithLine(CWatchedRun* executor, const char* text)
{
    executor->ReportHarnessError(text);
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), QVX_EXIT_PROCESS_ENDED);
}

// The C runtime's exit during a run: the other threads still run.
void OnRuntimeExit()
{
    if (CWatchedRun* executor = g_watched.exchange(nullptr))
        EndWithLine(executor, CProcessEndWatch::kRuntimeExitText);
    // Otherwise the program's own end.
}

typedef void(WINAPI* ExitProcessProc)(UINT code);
std::atomic<ExitProcessProc> g_systemExitProcess{nullptr};

// What the suite's imports of ExitProcess call.
void WINAPI OnSuiteExitProcess(UINT code)
{
    if (CWatchedRun* executor = g_watched.exchange(nullptr))
    {
        char text[128];
        std::snprintf(text, sizeof(text), "The test ended the process with exit code %u", code);
        EndWithLine(executor, text);
    }
    ExitProcessProc system = g_systemExitProcess.load();
    if (system)
        system(code);
    ::TerminateProcess(::GetCurrentProcess(), code);
}

// Appends the decimal digits of value, at least `width` of them.
char* AppendNumber(char* at, unsigned value, int width)
{
    char digits[12];
    int count = 0;
    do
    {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    while (count < width)
        digits[count++] = '0';
    while (count)
        *at++ = digits[--count];
    return at;
}

char* AppendText(char* at, const char* text, const char* end)
{
    while (*text && at < end)
        *at++ = *text++;
    return at;
}

// ExitProcess during a run. Everything but the system may be gone: the line is the console sink's error line
// (string 6010, "   |--> [%s] << ERROR >> %s" with the time of day as the console shows it), put together
// by hand and written with WriteFile.
void NTAPI OnProcessEvent(PVOID, DWORD reason, PVOID)
{
    if (reason != DLL_PROCESS_DETACH || !g_watched.load())
        return;
    HANDLE output = g_rawOutput.load();
    if (output)
    {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        char line[160];
        char* const end = line + sizeof(line) - 2;
        char* at = AppendText(line, "   |--> [", end);
        at = AppendNumber(at, now.wHour, 2);
        *at++ = ':';
        at = AppendNumber(at, now.wMinute, 2);
        *at++ = ':';
        at = AppendNumber(at, now.wSecond, 2);
        *at++ = ':';
        at = AppendNumber(at, now.wMilliseconds, 1);
        at = AppendText(at, "] << ERROR >> ", end);
        at = AppendText(at, CProcessEndWatch::kEndedText, end);
        // The console sink writes in text mode: its lines end in CR LF.
        *at++ = '\r';
        *at++ = '\n';
        DWORD written = 0;
        ::WriteFile(output, line, static_cast<DWORD>(at - line), &written, nullptr);
    }
    ::TerminateProcess(::GetCurrentProcess(), QVX_EXIT_PROCESS_ENDED);
}
} // namespace

// The program's TLS callback (the linker gathers the .CRT$XL* entries into the image's TLS directory).
extern "C" __attribute__((section(".CRT$XLY"), used)) const PIMAGE_TLS_CALLBACK qvx_process_end_callback =
    &OnProcessEvent;

bool CProcessEndWatch::WatchModule(HMODULE module)
{
    if (!module)
        return false;
    // The addresses an import of ExitProcess is bound to (kernel32's may forward to another module's).
    ExitProcessProc targets[2] = {
        reinterpret_cast<ExitProcessProc>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "ExitProcess"))),
        nullptr};
    if (HMODULE kernelBase = ::GetModuleHandleA("kernelbase.dll"))
        targets[1] = reinterpret_cast<ExitProcessProc>(
            reinterpret_cast<void*>(::GetProcAddress(kernelBase, "ExitProcess")));
    if (!targets[0])
        return false;
    ExitProcessProc expected = nullptr;
    g_systemExitProcess.compare_exchange_strong(expected, targets[0]);

    // The module's import descriptors, as the PE format lays them out.
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return false;
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return false;
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress || !directory.Size)
        return false;
    bool watched = false;
    for (const IMAGE_IMPORT_DESCRIPTOR* import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name; ++import)
    {
        // Compared by the bound address, whatever the import's name or ordinal.
        for (IMAGE_THUNK_DATA* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
             slot->u1.Function; ++slot)
        {
            ExitProcessProc bound = reinterpret_cast<ExitProcessProc>(slot->u1.Function);
            if (bound != targets[0] && (!targets[1] || bound != targets[1]))
                continue;
            DWORD previous = 0;
            if (!::VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), PAGE_READWRITE, &previous))
                continue;
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&OnSuiteExitProcess);
            ::VirtualProtect(&slot->u1.Function, sizeof(slot->u1.Function), previous, &previous);
            watched = true;
        }
    }
    return watched;
}

void CProcessEndWatch::RunBegins(CWatchedRun* executor, HANDLE rawOutput)
{
    if (!g_exitHandlerRegistered.exchange(true))
        std::atexit(&OnRuntimeExit);
    g_rawOutput.store(rawOutput);
    g_watched.store(executor);
}

void CProcessEndWatch::RunEnds(CWatchedRun* executor)
{
    CWatchedRun* expected = executor;
    g_watched.compare_exchange_strong(expected, nullptr);
}

bool CProcessEndWatch::IsWatching()
{
    return g_watched.load() != nullptr;
}
