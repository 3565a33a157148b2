// Tallowcron: the program entry. No command-line arguments are read. One copy runs per folder: a
// second start from the same folder brings the running copy's window to the front and ends.
#include <windows.h>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int nShowCmd) {
    return tc::RunApplication(instance, nShowCmd);
}
