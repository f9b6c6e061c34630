// The machine (processor architecture) a module file is built for, read from its headers without loading it,
// and the names the harness gives machines in its messages. A suite built for another architecture than the
// harness's cannot be loaded into it; reading the header first lets the harness say so.
#pragma once

#include <windows.h>

// Reads the machine type of the file header of the module at path (the DOS header's pointer to the "PE"
// signature, then the file header). False when the file cannot be opened or has no such header; the
// machine is 0 then.
bool ReadModuleMachine(const char* path, WORD* machine);
// The machine type this program is built for (IMAGE_FILE_MACHINE_I386 or IMAGE_FILE_MACHINE_AMD64).
WORD GetHarnessMachine();
// The short name of a machine type ("x86", "x86-64", ...); "machine type 0xNNNN" for one without a name.
// The text is written into buffer (at least 32 characters) and returned.
const char* GetMachineName(WORD machine, char* buffer, size_t size);
// The short name with its word size, for messages: "x86 (32-bit)", "x86-64 (64-bit)", ...
const char* DescribeMachine(WORD machine, char* buffer, size_t size);
