// The connect-time download of the event-function ("SWTI") firmware: the
// flash-write program is loaded into the microcontroller, and the firmware
// is placed into the flash image (g_flashMirror) and written with boot
// command packets (boot_packet.h).
//
// The sequences answer 1 for success and 0 for failure. The two entry
// sequences (BootAndDownloadFirmware, BootAndEraseFlash) show one message for
// each failure and log their progress in the connecting dialog; the others
// are silent, and a failing packet leaves its status in GetLastBootStatus.
//
// The image is checked before anything is erased: the firmware file's
// records, the flash blocks and the firmware area must lie inside the image,
// the vectors inside the vector area 0xFFDC-0xFFFF, the firmware block among
// the flash blocks, and the work-RAM pairs inside the page and the image.
#pragma once

#include "platform/wintypes.h"

#include <span>

// The whole connect: open, unlock, the flash-write program, the firmware
// (eraseAll 1: every block erased; 0: the user's flash is read and kept, only
// the firmware's blocks rewritten), the jump to it and the monitor's start.
[[nodiscard]] int BootAndDownloadFirmware(int eraseAll);
// Flash programming: open, the ID-code check, the flash-write program, every
// block erased.
[[nodiscard]] int BootAndEraseFlash();
// Open, unlock and the flash-write program, with their messages.
[[nodiscard]] int BootAndLoadWriteProgram();
// "WTR_KQ14.mot" as one block to the boot program.
[[nodiscard]] int DownloadFlashWriteProgram();
[[nodiscard]] int DownloadFirmwareEraseWrite();
[[nodiscard]] int DownloadFirmwareReadEraseWrite();
// "frm_kq14.sys" placed into the image, then the work-RAM settings.
[[nodiscard]] int LoadFirmwareImage();
[[nodiscard]] int EraseFlashBlocks();
[[nodiscard]] int EraseFirmwareBlocks();
[[nodiscard]] int EraseVectorBlock();
// flag: 1 when the protected byte at 0xFFDB holds its value (or has no entry).
[[nodiscard]] int CheckProtectedVectorByte(DWORD& flag);
[[nodiscard]] int ReadFlashBlocksToMirror();
// The image from start to end (inclusive) in 128-byte blocks, 0xFF outside
// the range; a block refused with status 0x91 is sent again, at most three
// times.
[[nodiscard]] int WriteFlashRange(DWORD start, DWORD end);
[[nodiscard]] int WriteFlashImage();
[[nodiscard]] int WriteFirmwareBlocks();
[[nodiscard]] int JumpToFirmware();
[[nodiscard]] int InitDebuggerRegisterBits();

// Places one block of the firmware file into the image: the vector area's
// records at their own address with the device's vectors over them, every
// other record moved by ASE1 top - FIRM DEFAULT TOP ADDR. False (nothing
// placed) when it would leave the image.
[[nodiscard]] bool PlaceFirmwareRecord(DWORD address, std::span<const BYTE> data);
// The bytes of the page at the FIRM area's top copied into the image, for
// protocol type 1 with work-RAM pairs.
[[nodiscard]] int ApplyWorkRamSettings();
// The device values and the firmware file checked against the image (see
// above); nothing is sent.
[[nodiscard]] bool CheckFirmwarePlacement();
