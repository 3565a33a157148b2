// Tallowcron: the program entry. One argument is known: "/autorun", which the Run value that
// "开机启动" writes passes at log-on. One copy runs per folder: a second start from the same
// folder brings the running copy's window to the front and ends.
#include <windows.h>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR lpCmdLine, int nShowCmd) {
    return tc::RunApplication(instance, nShowCmd, lpCmdLine);
}
