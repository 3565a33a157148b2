// Does nothing for a while (the number of seconds in its first argument, 60 when none), so a
// test can find it among the running processes and end it. Exits with 7 if nobody does.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    const long seconds = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 60;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 7;
}
