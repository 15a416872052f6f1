// Windows of a thread, bringing a window to the front, icons of files and
// the current resource module's bitmaps and icons.
#pragma once

#include "platform/afx.h"

// The first top-level window of the thread, in enumeration order, that is
// visible, has no parent and has a title; null when there is none.
HWND FindThreadMainWindow(DWORD threadId);
// Lets the window take the foreground at once and makes it the foreground
// and active window.
void BringWindowToFront(HWND window);
// The file's icon from the system image list (large unless small is asked
// for) as new colour and mask bitmaps the caller owns: 0, or 1 when the
// system has no image list for the file.
int GetFileIconBitmaps(LPCSTR path, BOOL large, CBitmap& colour, CBitmap& mask);
// From the current resource module, at their own size; null when missing.
HBITMAP LoadBitmapResource(WORD id);
HICON LoadIconResource(WORD id);
