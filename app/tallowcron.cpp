// Tallowcron: the program entry. No command-line arguments are read, and nothing keeps a second
// copy from running.
#include <windows.h>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    return tc::RunApplication(instance);
}
