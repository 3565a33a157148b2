#include "app/application.h"

#include "app/app_window.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/startup_marks.h"
#include "app/tray_icon.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "settings/start_with_windows.h"

namespace tc {

int RunApplication(HINSTANCE instance, int startCommand, const wchar_t* arguments) {
    MarkStartup("program entry");
    // Started at log-on by the Run value: quietly into the notification area where the settings
    // start the clock, and a copy already running is left as it is.
    const bool atLogOn = IsAutorunStart(Narrow(arguments ? arguments : L""));
    Win32Files files;
    // Before any window exists: a second start from this folder shows the running copy and ends.
    const std::optional<FolderClaim> folderClaim =
        ClaimFolderOrShowRunningCopy(Widen(files.ExePath()), /*bringForward=*/!atLogOn);
    if (!folderClaim) return 0;
    MarkStartup("folder claimed");
    // The shell's broadcast for a new taskbar, registered once for the whole run.
    TrayIcon::TaskbarCreatedMessage();
    AppWindow app(instance);

    Win32Clock clock;
    Win32Locale locale;
    Win32CodePage codePage;
    Win32Processes processes;
    Win32Input input;
    Win32Registry registry;
    MainWindowPorts ports{clock, locale, files, codePage, processes, input, registry};
    ports.appWindow = app.Handle();
    ports.folderIdentity = folderClaim->identity;
    MarkStartup("application window, ports");

    MainWindow window(instance, ports);
    if (!window.Create()) return 0;
    window.Show(startCommand, atLogOn);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.HandleFocusKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace tc
