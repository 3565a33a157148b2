#include "process_figures.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

#include "support/win32/top_level_windows.h"

namespace tc::soak {
namespace {

// The system's list of open handles (NtQuerySystemInformation with
// SystemExtendedHandleInformation), as ntdll lays it out on x86_64.
constexpr int kSystemExtendedHandleInformation = 64;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

struct HandleEntry {
    void* object;
    ULONG_PTR pid;
    ULONG_PTR value;
    ULONG access;
    USHORT backTraceIndex;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

long HandlesInSystemList(DWORD pid) {
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(
            static_cast<SYSTEM_INFORMATION_CLASS>(kSystemExtendedHandleInformation), buffer.data(),
            static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0) return -1;
        const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
        long count = 0;
        for (ULONG_PTR i = 0; i < list->count; ++i) count += list->entries[i].pid == pid;
        return count;
    }
    return -1;
}

long Handles(HANDLE process, DWORD pid, std::string& source) {
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0) {
        source = "GetProcessHandleCount";
        return static_cast<long>(count);
    }
    source = "the system's handle list (GetProcessHandleCount gives 0)";
    return HandlesInSystemList(pid);
}

// The GDI handle table that the process's PEB points to (GdiSharedHandleTable, at 0xF8 in the
// x86_64 PEB): 65,536 entries of 24 bytes, the object type in byte 14, 0 for a free entry. Wine
// keeps one such table per process, so every used entry is one of the process's objects (the
// stock objects included).
constexpr SIZE_T kPebGdiTableOffset = 0xF8;
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;

long GdiObjectsInHandleTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0)
        return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(
            process,
            static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTableOffset,
            &table, sizeof table, &read) ||
        table == nullptr)
        return -1;
    std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &read)) return -1;
    long count = 0;
    for (std::size_t i = 0; i < read / kGdiEntrySize; ++i)
        count += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
    return count;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

void CountTree(HWND window, WindowCount& counter) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counter.pid) return;
    ++counter.count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&counter));  // all descendants
}

// The process's windows: top-level, message-only and every child of them.
long WindowsOf(DWORD pid) {
    WindowCount counter{pid, 0};
    for (const HWND window : test::TopLevelWindows()) CountTree(window, counter);
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        CountTree(window, counter);
    return counter.count;
}

long GuiObjects(HANDLE process, DWORD kind, std::string& source) {
    SetLastError(0);
    const DWORD count = GetGuiResources(process, kind);
    if (count > 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        source = "GetGuiResources";
        return static_cast<long>(count);
    }
    return -1;
}

// Committed private memory, region by region.
std::uint64_t CommittedPrivateBytes(HANDLE process) {
    std::uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
         address = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total;
}

}  // namespace

ProcessFigures ReadFigures(HANDLE process, DWORD pid, FigureSources* sources) {
    FigureSources local;
    FigureSources& from = sources ? *sources : local;
    ProcessFigures figures;
    figures.handles = Handles(process, pid, from.handles);

    figures.gdiObjects = GuiObjects(process, GR_GDIOBJECTS, from.gdiObjects);
    if (figures.gdiObjects < 0) {
        from.gdiObjects = "the process's GDI handle table (GetGuiResources is not implemented)";
        figures.gdiObjects = GdiObjectsInHandleTable(process);
    }
    figures.userObjects = GuiObjects(process, GR_USEROBJECTS, from.userObjects);
    if (figures.userObjects < 0) {
        from.userObjects = "the process's windows (GetGuiResources is not implemented)";
        figures.userObjects = WindowsOf(pid);
    }

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        figures.workingSetKb = memory.WorkingSetSize / 1024;
        figures.privateKb = memory.PrivateUsage / 1024;
    }
    from.privateBytes = "PrivateUsage";
    if (figures.privateKb == 0) {
        from.privateBytes = "committed private regions (PrivateUsage gives 0)";
        figures.privateKb = CommittedPrivateBytes(process) / 1024;
    }
    return figures;
}

}  // namespace tc::soak
