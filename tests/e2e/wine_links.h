#pragma once
// Other names for one folder under Wine: another drive letter, and a symbolic link inside a drive.
// Wine makes neither from a Windows call (its CreateSymbolicLinkW makes nothing, and a drive of
// DefineDosDeviceW reaches no file), so they are made on the Unix side, by the system's own
// `ln`, and removed by its `rm`, for the life of the object. Outside Wine nothing is made.
#include <windows.h>

#include <string>

namespace tc::e2e {

// A symbolic link at `link` to the folder `target`, both Unix paths; `seenAs` is the Windows
// path at which the link shows once it is there. Nothing is made where that path exists.
class UnixLink {
public:
    UnixLink() = default;
    UnixLink(const std::string& target, std::string link, std::wstring seenAs);
    // Removes the link itself, never what it points at.
    ~UnixLink();
    UnixLink(UnixLink&& other) noexcept;
    UnixLink& operator=(UnixLink&& other) noexcept;

    bool Made() const { return made_; }

private:
    std::string link_;
    std::wstring seenAs_;
    bool made_ = false;
};

// Another drive letter for `folder`, the first free one from Y: down: a link in the Wine
// prefix's dosdevices folder, as Wine keeps its drives.
class WineDrive {
public:
    explicit WineDrive(const std::wstring& folder);
    // "Y:" and the like; empty when none could be made.
    const std::wstring& Letter() const { return letter_; }

private:
    UnixLink link_;
    std::wstring letter_;
};

// A symbolic link `linkPath` (a Windows path in a folder that exists) to the folder `target`.
class FolderLink {
public:
    FolderLink(const std::wstring& target, const std::wstring& linkPath);
    bool Made() const { return link_.Made(); }

private:
    UnixLink link_;
};

}  // namespace tc::e2e
