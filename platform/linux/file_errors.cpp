#include "platform/linux/file_errors.h"

#include "platform/files.h"

#include <sys/stat.h>

namespace platform::detail {

DWORD MissingPathError(const std::string& nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    const std::string folder = slash == 0 ? "/" : nativePath.substr(0, slash);
    struct stat info {};
    return slash != std::string::npos && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
               ? ERROR_FILE_NOT_FOUND
               : ERROR_PATH_NOT_FOUND;
}

}  // namespace platform::detail
