#pragma once
// The system locale a Win32 test runs under. CTest registers the locale-dependent tests once per
// locale and sets LC_ALL, from which Wine takes the system locale: "zh_CN.UTF-8" or "en_US.UTF-8".
#include <cstdlib>
#include <string>

namespace tc {

inline std::string TestLocale() {
    const char* name = std::getenv("LC_ALL");
    return name ? name : "";
}

inline bool IsKnownTestLocale(const std::string& name) {
    return name == "zh_CN.UTF-8" || name == "en_US.UTF-8";
}

}  // namespace tc
