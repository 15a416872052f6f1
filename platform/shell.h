// What the shell and the image loader say about files, for the path helpers
// that show paths and test bitmap files.
#pragma once

#include <string>

namespace platform {

// The name the shell shows for a file or folder (SHGetFileInfoA with
// SHGFI_DISPLAYNAME); false when it shows none. Here, where there is no
// shell, it is the name as stored on disk.
bool ShellDisplayName(const char* path, std::string& name);
// Whether LoadImageA accepts the file as a bitmap (IMAGE_BITMAP,
// LR_LOADFROMFILE): a file that starts with a bitmap's headers (the loader
// takes whatever pixels follow).
bool IsLoadableBitmapFile(const char* path);

}  // namespace platform
