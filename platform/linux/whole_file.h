// Reading a file whole, and replacing it whole without a moment where it is
// missing or half written.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct FileBytes {
    std::string bytes;
    int error = 0;  // errno of the failure: ENOENT when missing, EISDIR for a folder
};

FileBytes ReadWholeFile(const std::string& path);

// Writes bytes to a temporary file in path's folder and renames it over path,
// so that a reader sees the old or the new content and a failure leaves the
// old file as it was. A symbolic link is written through, and an existing
// file keeps its permissions. Returns 0 or the errno of the failure.
int ReplaceWholeFile(const std::string& path, std::string_view bytes);

}  // namespace platform
