// The C stream _fsopen hands out: a file descriptor behind a FILE, in binary
// or in the Windows run time's text mode, holding its sharing registration
// until it is closed.
#pragma once

#include "platform/linux/file_sharing.h"

#include <cstdio>
#include <memory>

namespace platform {

// Text mode as the Windows run time has it: reading turns each CR LF into LF
// and ends at a Ctrl-Z (0x1A), writing turns each LF into CR LF, and
// positions (fseek, ftell) are offsets in the file, not in the translated
// text. Takes the descriptor and the registration; null (with errno set) when
// the stream cannot be made, the descriptor then closed.
FILE* OpenStream(int fd, const char* mode, bool text, std::unique_ptr<FileShare> share);

}  // namespace platform
