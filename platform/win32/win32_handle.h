#pragma once
// One owning wrapper for every kind of Win32 handle the program keeps: it frees its handle once,
// on every path, with the function that kind of handle needs.
#include <windows.h>

#include <utility>

namespace tc {

template <typename Handle, auto Free>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, Handle{}));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return h_; }
    // For calls that hand back a handle through a pointer (RegCreateKeyEx); frees the old one.
    Handle* Receive() {
        Reset();
        return &h_;
    }
    explicit operator bool() const { return h_ != Handle{}; }
    void Reset(Handle h = Handle{}) {
        if (h_) Free(h_);
        h_ = h;
    }
    // Gives the handle up without freeing it.
    Handle Release() { return std::exchange(h_, Handle{}); }

private:
    Handle h_{};
};

inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;

// Kernel calls fail with a null handle (OpenProcess) or with INVALID_HANDLE_VALUE (CreateFile,
// CreateToolhelp32Snapshot): either way the result owns nothing.
inline UniqueKernelHandle OwnKernelHandle(HANDLE h) {
    return UniqueKernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

}  // namespace tc
