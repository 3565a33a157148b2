#pragma once
// What a running process holds, read from outside it: kernel handles, GDI and USER objects and
// memory. Where Wine leaves the usual call without an answer (GetGuiResources fails with
// ERROR_CALL_NOT_IMPLEMENTED, GetProcessHandleCount and the private-bytes counter give 0), the
// same figure is counted another way, and FigureSources says which way was used.
#include <windows.h>

#include <cstdint>
#include <string>

namespace tc::soak {

struct ProcessFigures {
    long handles = -1;  // kernel object handles; -1 when not readable
    long gdiObjects = -1;
    long userObjects = -1;
    std::uint64_t workingSetKb = 0;
    std::uint64_t privateKb = 0;
};

struct FigureSources {
    std::string handles;
    std::string gdiObjects;
    std::string userObjects;
    std::string privateBytes;
};

// `process` must carry PROCESS_QUERY_INFORMATION and PROCESS_VM_READ; `pid` is its id.
ProcessFigures ReadFigures(HANDLE process, DWORD pid, FigureSources* sources = nullptr);

}  // namespace tc::soak
