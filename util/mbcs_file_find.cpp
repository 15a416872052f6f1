#include "util/mbcs_file_find.h"

#include "util/path_split.h"

CString CMbcsFileFind::GetFilePath() const {
    const CString name = GetFileName();
    const CString root = GetRoot();
    if (name.IsEmpty() || root.IsEmpty()) {
        return name;
    }
    return CombinePath(root, name);
}
