#include "app/startup_marks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace tc {
namespace {

// Milliseconds since the process was created, on the system's precise clock.
double SinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

class StartupLog {
public:
    StartupLog() {
        wchar_t path[MAX_PATH];
        if (GetEnvironmentVariableW(L"TALLOWCRON_STARTUP_MARKS", path, MAX_PATH) == 0) return;
        file_ = _wfopen(path, L"a");
    }
    ~StartupLog() {
        if (file_) std::fclose(file_);
    }
    StartupLog(const StartupLog&) = delete;
    StartupLog& operator=(const StartupLog&) = delete;

    void Mark(const char* step) {
        if (!file_) return;
        const double at = SinceProcessCreation();
        std::fprintf(file_, "%-28s at %8.1f ms  took %8.1f ms\n", step, at, at - last_);
        std::fflush(file_);
        last_ = at;
    }

private:
    std::FILE* file_ = nullptr;
    double last_ = 0;
};

}  // namespace

void MarkStartup(const char* step) {
    static StartupLog log;
    log.Mark(step);
}

}  // namespace tc
