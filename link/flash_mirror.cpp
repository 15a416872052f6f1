#include "link/flash_mirror.h"

std::array<BYTE, kFlashMirrorSize> g_flashMirror{};

namespace {

// The mirror starts erased.
struct EraseAtLoad {
    EraseAtLoad() { g_flashMirror.fill(0xFF); }
} g_eraseAtLoad;

}  // namespace
