#include "engine/ModuleMachine.h"

#include <cstdio>
#include <cstring>

namespace
{
struct MachineName
{
    WORD machine;
    const char* name;
    const char* bits;
};

// The machines a Windows module is commonly built for.
const MachineName kMachines[] = {
    {0x014C, "x86", "32-bit"},   {0x8664, "x86-64", "64-bit"}, {0xAA64, "ARM64", "64-bit"},
    {0x01C4, "ARM", "32-bit"},   {0x01C2, "ARM Thumb", "32-bit"}, {0x0200, "Itanium", "64-bit"},
};

const MachineName* FindMachine(WORD machine)
{
    for (const MachineName& entry : kMachines)
        if (entry.machine == machine)
            return &entry;
    return nullptr;
}

bool ReadAt(HANDLE file, DWORD offset, void* buffer, DWORD size)
{
    if (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}
} // namespace

bool ReadModuleMachine(const char* path, WORD* machine)
{
    *machine = 0;
    if (!path || !*path)
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    // The DOS header starts with "MZ"; its last field (at byte 60) is the offset of the "PE\0\0" signature,
    // which the file header follows with the machine type as its first field.
    unsigned char dos[64];
    if (ReadAt(file, 0, dos, sizeof(dos)) && dos[0] == 'M' && dos[1] == 'Z')
    {
        DWORD peOffset = 0;
        std::memcpy(&peOffset, dos + 60, sizeof(peOffset));
        unsigned char pe[6];
        if (peOffset < 0x10000000 && ReadAt(file, peOffset, pe, sizeof(pe)) && pe[0] == 'P' && pe[1] == 'E' &&
            pe[2] == 0 && pe[3] == 0)
        {
            *machine = static_cast<WORD>(pe[4] | (pe[5] << 8));
            found = true;
        }
    }
    CloseHandle(file);
    return found;
}

WORD GetHarnessMachine()
{
#if defined(_WIN64)
    return IMAGE_FILE_MACHINE_AMD64;
#else
    return IMAGE_FILE_MACHINE_I386;
#endif
}

const char* GetMachineName(WORD machine, char* buffer, size_t size)
{
    const MachineName* entry = FindMachine(machine);
    if (entry)
        std::snprintf(buffer, size, "%s", entry->name);
    else
        std::snprintf(buffer, size, "machine type 0x%04X", static_cast<unsigned>(machine));
    return buffer;
}

const char* DescribeMachine(WORD machine, char* buffer, size_t size)
{
    const MachineName* entry = FindMachine(machine);
    if (entry)
        std::snprintf(buffer, size, "%s (%s)", entry->name, entry->bits);
    else
        std::snprintf(buffer, size, "machine type 0x%04X", static_cast<unsigned>(machine));
    return buffer;
}
