#pragma once
// Functions that Windows added after Windows 7 are never imported: the Windows 7 loader refuses
// to start a program that imports a function its system libraries lack, before any of the
// program's code runs. They are looked up at run time instead, and each caller falls back on
// what Windows 7 has where the lookup finds nothing.
#include <windows.h>

namespace tc {

// Finds the function `name` in the system library `library`, one that the program has loaded
// already (it imports other functions of it: kernel32, user32); nullptr where this Windows lacks
// the function. Callers take it as a parameter so that tests can take the branch of an older
// Windows, which Wine never takes: it has every newer function.
using FindSystemFunctionFn = FARPROC (*)(const wchar_t* library, const char* name);
FARPROC FindSystemFunction(const wchar_t* library, const char* name);

// The same, as a pointer to the function's own type `Fn`.
template <typename Fn>
Fn FindSystemFunctionAs(FindSystemFunctionFn find, const wchar_t* library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(find(library, name)));
}

// The system time (UTC) as a FILETIME: GetSystemTimePreciseAsFileTime where the system has it
// (Windows 8 on; finer than a microsecond), else GetSystemTimeAsFileTime (Windows 7; it moves in
// steps of the system's timer tick, about 15.6 ms).
using SystemTimeFn = void(WINAPI*)(LPFILETIME);
SystemTimeFn PreciseSystemTimeFunction(FindSystemFunctionFn find = FindSystemFunction);

}  // namespace tc
