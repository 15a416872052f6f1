// Formatted printing with the Windows run time's rules.
//
// The plug-in's formats are written for Windows, where long is 32 bits: "%ld",
// "%lx" and "%lu" take 32-bit values, "%I64d" and "%I64x" take 64-bit ones, and
// "%ls" and "%S" print a wide (UTF-16) text, converted to the ANSI code page.
// On Linux long is 64 bits and wide characters are 32 bits, so the formats are
// not handed to the C library as they stand: each conversion is read with the
// width its Windows meaning gives it.
#pragma once

#include <cstdarg>
#include <string>

namespace platform {

std::string FormatV(const char* format, va_list arguments);
std::string Format(const char* format, ...);

}  // namespace platform
