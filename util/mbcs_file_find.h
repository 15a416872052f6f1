// CMbcsFileFind: the class library's directory search, with the full path of
// each found entry joined by CombinePath, so that a folder whose name ends in
// a double-byte character with the trail byte '\\' gets its separator.
#pragma once

#include "platform/afx.h"

class CMbcsFileFind : public CFileFind {
public:
    CString GetFilePath() const override;
};
