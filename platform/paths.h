// Windows paths over the native file system.
//
// The plug-in sees Windows paths: backslashes and a drive letter. The whole
// native tree is drive Z:, as under Wine ("Z:\tmp\x" is "/tmp/x"). Names are
// resolved without regard to case, as on Windows, so "Q3VVK3.CNF" finds
// "Q3vVk3.cnf" whatever its case on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The native path for a Windows path. Every existing component is matched
// without regard to case; components that do not exist are kept as written
// (so a path to a file about to be created maps too). Relative paths are
// resolved against the current directory. Returns nothing for a drive other
// than Z: or a malformed path.
std::optional<std::string> ToNativePath(std::string_view windowsPath);

// The Windows form of an absolute native path ("/a/b" gives "Z:\a\b").
std::string ToWindowsPath(std::string_view nativePath);

}  // namespace platform
