#include "util/download_module.h"

#include "util/variant_list.h"
#include "util/string_numbers.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t kTextsPerModule = 7;

template <typename Record>
void DeleteAll(CList<Record*, Record*>& list) {
    while (!list.IsEmpty()) {
        delete list.RemoveHead();
    }
}

std::vector<CString> ModuleTexts(const CDownloadModule& module) {
    return {module.GetFileName(),
            variant_list::NumberText(module.GetOffset()),
            module.GetFormat(),
            variant_list::NumberText(module.GetOptionWord1()),
            variant_list::NumberText(module.GetOptionWord2()),
            variant_list::NumberText(module.GetOptionWord3()),
            variant_list::NumberText(module.GetOptionWord4())};
}

DWORD Number(const CString& text) {
    return static_cast<DWORD>(ReadInt(text));
}

// The records of a host record array; nothing when the array is refused.
std::vector<CDownloadModule> ReadModules(const VARIANT& list) {
    std::vector<CString> texts;
    std::vector<CDownloadModule> modules;
    if (!variant_list::ReadTexts(list, kTextsPerModule, texts)) {
        return modules;
    }
    for (std::size_t i = 0; i < texts.size(); i += kTextsPerModule) {
        modules.emplace_back(texts[i], Number(texts[i + 1]), texts[i + 2], Number(texts[i + 3]), Number(texts[i + 4]),
                             Number(texts[i + 5]), Number(texts[i + 6]));
    }
    return modules;
}

template <typename Record, typename Make>
void ConvertLayoutList(const CList<Record*, Record*>& source, CDownloadModulePtrList& destination, Make make) {
    DeleteAll(destination);
    for (POSITION position = source.GetHeadPosition(); position != nullptr;) {
        if (const Record* record = source.GetNext(position)) {
            destination.AddTail(make(*record).release());
        }
    }
}

}  // namespace

CDownloadModule::CDownloadModule() = default;

CDownloadModule::CDownloadModule(LPCSTR fileName, DWORD offset, LPCSTR format, DWORD word1, DWORD word2,
                                 DWORD word3, DWORD word4)
    : m_fileName(fileName), m_offset(offset), m_format(format), m_optionWords{word1, word2, word3, word4} {}

CDownloadModule::CDownloadModule(LPCSTR fileName, const CString& offsetText, LPCSTR format, DWORD word1, DWORD word2,
                                 DWORD word3, DWORD word4)
    : CDownloadModule(fileName, static_cast<DWORD>(ReadInt(offsetText)), format, word1, word2, word3, word4) {}

CDownloadModule::CDownloadModule(const CDownloadModule& other) {
    *this = other;
}

CDownloadModule& CDownloadModule::operator=(const CDownloadModule& other) {
    if (this != &other) {
        m_fileName = other.m_fileName;
        m_offset = other.m_offset;
        m_format = other.m_format;
        std::copy(std::begin(other.m_optionWords), std::end(other.m_optionWords), std::begin(m_optionWords));
        m_modified = TRUE;
    }
    return *this;
}

bool CDownloadModule::operator==(const CDownloadModule& other) const {
    return m_fileName == other.m_fileName && m_offset == other.m_offset && m_format == other.m_format &&
           std::equal(std::begin(m_optionWords), std::end(m_optionWords), std::begin(other.m_optionWords));
}

void CDownloadModule::SetFileName(LPCSTR fileName) {
    m_fileName = fileName;
    m_modified = TRUE;
}

void CDownloadModule::SetOffset(DWORD offset) {
    m_offset = offset;
    m_modified = TRUE;
}

void CDownloadModule::SetFormat(LPCSTR format) {
    m_format = format;
    m_modified = TRUE;
}

void CDownloadModule::SetOptionWord1(DWORD value) {
    m_optionWords[0] = value;
    m_modified = TRUE;
}

void CDownloadModule::SetOptionWord2(DWORD value) {
    m_optionWords[1] = value;
    m_modified = TRUE;
}

void CDownloadModule::SetOptionWord3(DWORD value) {
    m_optionWords[2] = value;
    m_modified = TRUE;
}

void CDownloadModule::SetOptionWord4(DWORD value) {
    m_optionWords[3] = value;
    m_modified = TRUE;
}

CDownloadModuleRecord4::CDownloadModuleRecord4(LPCSTR fileNameText, DWORD offsetValue, LPCSTR formatText,
                                               DWORD word1, DWORD word2, DWORD word3, DWORD word4)
    : fileName(fileNameText),
      offset(offsetValue),
      format(formatText),
      optionWord1(word1),
      optionWord2(word2),
      optionWord3(word3),
      optionWord4(word4) {}

CDownloadModuleRecord4::CDownloadModuleRecord4(const CDownloadModuleRecord1& record)
    : fileName(record.fileName), offset(record.offset), format(record.format), optionWord1(record.optionWord1) {}

CDownloadModuleRecord4::CDownloadModuleRecord4(const CDownloadModuleRecord2& record)
    : fileName(record.fileName),
      offset(record.offset),
      format(record.format),
      optionWord1(record.optionWord1),
      optionWord2(record.optionWord2) {}

CDownloadModuleRecord4::CDownloadModuleRecord4(const CDownloadModuleRecord3& record)
    : fileName(record.fileName),
      offset(record.offset),
      format(record.format),
      optionWord1(record.optionWord1),
      optionWord2(record.optionWord2),
      optionWord3(record.optionWord3) {}

CDownloadModuleRecord4::CDownloadModuleRecord4(const CDownloadModuleRecord4& other) : CObject() {
    *this = other;
}

CDownloadModuleRecord4& CDownloadModuleRecord4::operator=(const CDownloadModuleRecord4& other) {
    fileName = other.fileName;
    offset = other.offset;
    format = other.format;
    optionWord1 = other.optionWord1;
    optionWord2 = other.optionWord2;
    optionWord3 = other.optionWord3;
    optionWord4 = other.optionWord4;
    return *this;
}

void CDownloadModuleRecord4::AssignFromHostEntry(const CDownloadModule& entry) {
    fileName = entry.GetFileName();
    offset = entry.GetOffset();
    format = entry.GetFormat();
    optionWord1 = entry.GetOptionWord1();
    optionWord2 = entry.GetOptionWord2();
    optionWord3 = entry.GetOptionWord3();
    optionWord4 = entry.GetOptionWord4();
}

void DownloadModuleListToVariant(const CDownloadModuleList& list, VARIANT& out) {
    std::vector<CString> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const std::vector<CString> record = ModuleTexts(list.GetNext(position));
        texts.insert(texts.end(), record.begin(), record.end());
    }
    variant_list::WriteTexts(texts, out);
}

void VariantToDownloadModuleList(const VARIANT& list, CDownloadModuleList& out) {
    for (const CDownloadModule& module : ReadModules(list)) {
        out.AddTail(module);
    }
}

void DownloadModulePtrListToVariant(const CDownloadModulePtrList& list, VARIANT& out) {
    std::vector<CString> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        if (const CDownloadModule* module = list.GetNext(position)) {
            const std::vector<CString> record = ModuleTexts(*module);
            texts.insert(texts.end(), record.begin(), record.end());
        }
    }
    variant_list::WriteTexts(texts, out);
}

void VariantToDownloadModulePtrList(const VARIANT& list, CDownloadModulePtrList& out) {
    for (const CDownloadModule& module : ReadModules(list)) {
        out.AddTail(new CDownloadModule(module.GetFileName(), module.GetOffset(), module.GetFormat(),
                                        module.GetOptionWord1(), module.GetOptionWord2(), module.GetOptionWord3(),
                                        module.GetOptionWord4()));
    }
}

void CopyDownloadModulePtrList(const CDownloadModulePtrList& source, CDownloadModulePtrList& destination) {
    if (&source == &destination) {
        return;
    }
    DeleteAll(destination);
    for (POSITION position = source.GetHeadPosition(); position != nullptr;) {
        if (const CDownloadModule* module = source.GetNext(position)) {
            destination.AddTail(new CDownloadModule(*module));
        }
    }
}

void Layout1ListToDownloadModuleList(const CDownloadModuleRecord1List& source, CDownloadModulePtrList& destination) {
    ConvertLayoutList(source, destination, [](const CDownloadModuleRecord1& r) {
        return std::make_unique<CDownloadModule>(r.fileName, r.offset, r.format, r.optionWord1, 0,
                                                 kDefaultOptionWord3, 0);
    });
}

void Layout2ListToDownloadModuleList(const CDownloadModuleRecord2List& source, CDownloadModulePtrList& destination) {
    ConvertLayoutList(source, destination, [](const CDownloadModuleRecord2& r) {
        return std::make_unique<CDownloadModule>(r.fileName, r.offset, r.format, r.optionWord1, r.optionWord2,
                                                 kDefaultOptionWord3, 0);
    });
}

void Layout3ListToDownloadModuleList(const CDownloadModuleRecord3List& source, CDownloadModulePtrList& destination) {
    ConvertLayoutList(source, destination, [](const CDownloadModuleRecord3& r) {
        return std::make_unique<CDownloadModule>(r.fileName, r.offset, r.format, r.optionWord1, r.optionWord2,
                                                 r.optionWord3, 0);
    });
}

void Layout4ListToDownloadModuleList(const CDownloadModuleRecord4List& source, CDownloadModulePtrList& destination) {
    ConvertLayoutList(source, destination, [](const CDownloadModuleRecord4& r) {
        return std::make_unique<CDownloadModule>(r.fileName, r.offset, r.format, r.optionWord1, r.optionWord2,
                                                 r.optionWord3, r.optionWord4);
    });
}

void DownloadModuleListToRecord4List(const CDownloadModulePtrList& source, CDownloadModuleRecord4List& destination) {
    DeleteAll(destination);
    for (POSITION position = source.GetHeadPosition(); position != nullptr;) {
        if (const CDownloadModule* module = source.GetNext(position)) {
            auto record = std::make_unique<CDownloadModuleRecord4>();
            record->AssignFromHostEntry(*module);
            destination.AddTail(record.release());
        }
    }
}

void SortRecord4ListByName(CDownloadModuleRecord4List& list) {
    std::vector<CDownloadModuleRecord4*> records;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        records.push_back(list.GetNext(position));
    }
    const auto name = [](const CDownloadModuleRecord4* record) {
        return record != nullptr ? static_cast<LPCSTR>(record->fileName) : "";
    };
    std::stable_sort(records.begin(), records.end(), [&](const CDownloadModuleRecord4* a, const CDownloadModuleRecord4* b) {
        return std::strcmp(name(a), name(b)) < 0;
    });
    list.RemoveAll();
    for (CDownloadModuleRecord4* record : records) {
        list.AddTail(record);
    }
}
