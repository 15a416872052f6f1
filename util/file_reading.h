// Small file tests and readers.
#pragma once

#include "platform/afx.h"

// The answer is flag: for a drive path the run time can read, whether its
// drive is a network drive; TRUE for any other path.
BOOL IsOnNetworkDrive(LPCSTR path, BOOL& flag);
// A program file, or a file holding a zero byte; FALSE at the end of a file
// without one or when it cannot be opened.
BOOL IsBinaryFile(LPCSTR path);
// The file's text up to its first zero byte (never beyond its size): mapped
// on the NT platform (an empty file leaves out as it is), read line by line
// elsewhere. FALSE when the file is missing or cannot be read.
BOOL ReadTextFile(LPCSTR path, CString& out);
// 0 with the 1-based number of the first line equal to text; 1 when none is;
// 2 when the file does not exist or cannot be opened; 3 for no path or text.
int FindLineInFile(LPCSTR path, LPCSTR text, int& line);
// The size as "%d" and the creation and last-write times as
// "%m/%d/%Y\t%I:%M %p": 0, or 1 when the status cannot be read.
int GetFileStatusTexts(LPCSTR path, CString& size, CString& created, CString& modified);
// Each carriage return followed by a line feed becomes a blank.
void ConvertCrLf(CString& text);
// Whether the file loads as a bitmap.
BOOL IsLoadableBitmapFile(LPCSTR path);
