#include "app/startup_marks.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app/win32/handles.h"
#include "platform/win32/system_functions.h"

namespace tc {
namespace {

// Milliseconds since the process was created, on the system's precise clock where it has one.
double SinceProcessCreation() {
    static const SystemTimeFn systemTime = PreciseSystemTimeFunction();
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    FILETIME now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    systemTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

void CloseFile(HANDLE file) { CloseHandle(file); }
using UniqueFile = UniqueHandle<HANDLE, CloseFile>;

class StartupLog {
public:
    StartupLog() {
        wchar_t path[MAX_PATH];
        if (GetEnvironmentVariableW(L"TALLOWCRON_STARTUP_MARKS", path, MAX_PATH) == 0) return;
        HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) file_.Reset(file);
    }

    void Mark(const char* step) {
        if (!file_) return;
        const double at = SinceProcessCreation();
        char line[128];
        const int length = std::snprintf(line, sizeof(line), "%-30s at %8.1f ms  took %8.1f ms\n",
                                         step, at, at - last_);
        DWORD written = 0;
        if (length > 0)
            WriteFile(file_.Get(), line,
                      static_cast<DWORD>(std::min<std::size_t>(static_cast<std::size_t>(length),
                                                               sizeof(line) - 1)),
                      &written, nullptr);
        last_ = at;
    }

private:
    UniqueFile file_;
    double last_ = 0;
};

}  // namespace

void MarkStartup(const char* step) {
    static StartupLog log;
    log.Mark(step);
}

}  // namespace tc
