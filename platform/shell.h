#pragma once
// Shell port: asks the shell to open a file (verb "open", normal window).
#include <string>

namespace tc {

enum class ShellOwner {
    MainWindow,  // program slots: the shell's own error messages belong to the main window
    AppWindow,   // the power command: the application's hidden window
};

class Shell {
public:
    virtual ~Shell() = default;
    // The result is not examined by the program; the call returns at once. A file name longer
    // than the shell accepts is refused before the call: SystemError "file name too long".
    virtual void Open(const std::string& file, const std::string& parameters, ShellOwner owner) = 0;
};

}  // namespace tc
