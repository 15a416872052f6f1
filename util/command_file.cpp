#include "util/command_file.h"

#include "util/variant_list.h"
#include "util/string_numbers.h"

#include <vector>

CCommandFile& CCommandFile::operator=(const CCommandFile& other) {
    if (this != &other) {
        m_fileName = other.m_fileName;
        m_mode = other.m_mode;
    }
    return *this;
}

void CommandFileListToVariant(const CCommandFileList& list, VARIANT& out) {
    std::vector<CString> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        if (const CCommandFile* file = list.GetNext(position)) {
            texts.push_back(file->GetFileName());
            texts.push_back(variant_list::NumberText(static_cast<DWORD>(file->GetMode())));
        }
    }
    variant_list::WriteTexts(texts, out);
}

void VariantToCommandFileList(const VARIANT& list, CCommandFileList& out) {
    std::vector<CString> texts;
    if (!variant_list::ReadTexts(list, 2, texts)) {
        return;
    }
    for (std::size_t i = 0; i < texts.size(); i += 2) {
        out.AddTail(new CCommandFile(texts[i], ReadInt(texts[i + 1])));
    }
}
