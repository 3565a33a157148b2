#include "app/error_text.h"

#include <windows.h>

#include "core/file_paths.h"
#include "platform/win32/win32_text.h"

namespace tc {

std::string ProgramTitle(const std::string& exePath) {
    std::wstring name = Widen(FileStem(exePath));
    if (name.size() > 1) CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    return Narrow(name);
}

std::string WithFullStop(const std::string& message, CodePage& codePage) {
    if (message.empty()) return message;
    // The last UTF-8 character: step back over continuation bytes.
    std::size_t start = message.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(message[start]) & 0xC0) == 0x80) --start;
    const std::string last = codePage.ToAnsi(message.substr(start));
    if (!last.empty() && static_cast<unsigned char>(last[0]) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

}  // namespace tc
