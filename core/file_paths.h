#pragma once
// Parts of Windows paths as the program uses them: "\" and "/" separate folders, and a drive's
// ":" ends the folder part too ("D:foo.exe" names foo.exe).
#include <string>
#include <string_view>

namespace tc {

// What follows the last separator: "C:\Tools\Foo.exe" gives "Foo.exe".
std::string_view FileNamePart(std::string_view path);

// The file name's extension with its dot (".bat"), empty when the file name has no dot; a dot in
// a folder's name does not count.
std::string FileExtension(const std::string& path);

// The folder part with its trailing separator ("C:\Tools\"), empty for a bare file name.
std::string FolderPart(const std::string& path);

// The folder without its trailing separator ("C:\Tools"), empty for a bare file name.
std::string FolderOf(const std::string& path);

// The file name up to its first dot: "tallowCron.v2.exe" gives "tallowCron".
std::string FileStem(const std::string& path);

// The settings file beside the executable: its folder followed by "config.ini".
std::string ConfigPathFor(const std::string& exePath);

}  // namespace tc
