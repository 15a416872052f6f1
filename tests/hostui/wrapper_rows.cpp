#include "tests/hostui/wrapper_rows.h"

#include <algorithm>
#include <cstdio>

namespace wrapper_rows {
namespace {

template <typename List>
void DeleteAll(List& list) {
    while (!list.IsEmpty()) {
        delete list.RemoveHead();
    }
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

CallerState::CallerState() : time(0x11, 0x22) {
    for (CString& each : text) {
        each = "old";
    }
    for (CStringList& each : list) {
        each.AddTail("keep");
    }
    for (DWORD& each : number) {
        each = 77;
    }
    for (BOOL& each : flag) {
        each = 5;
    }
    modules.AddTail(CDownloadModule("keep", 1, "keep", 1, 1, 1, 1));
    files.AddTail(new CCommandFile("keep", 1));
    pairs.AddTail(DOUBLESTRING_STRUCT("keep", "keep"));
    quads.AddTail(new QUADSTRING_STRUCT("keep", "keep", "keep", "keep"));
    textTextNumbers.AddTail(new DOUBLESTRINGUINT_STRUCT("keep", "keep", 1));
    SetCustomPlaceholder(placeholders, new CCustomPlaceholderInfo("keep", "keep", "keep"));
}

CallerState::~CallerState() {
    DeleteAll(files);
    DeleteAll(quads);
    DeleteAll(textTextNumbers);
    DeleteCustomPlaceholders(placeholders);
}

std::vector<std::pair<std::string, std::string>> CallerState::Fields() const {
    std::vector<std::pair<std::string, std::string>> fields;
    for (int i = 0; i < 8; ++i) {
        fields.emplace_back("t" + std::to_string(i), text[i].Str());
    }
    for (int i = 0; i < 3; ++i) {
        std::string items;
        for (POSITION position = list[i].GetHeadPosition(); position != nullptr;) {
            items += (items.empty() ? "" : "|") + list[i].GetNext(position).Str();
        }
        fields.emplace_back("l" + std::to_string(i), "[" + items + "]");
    }
    for (int i = 0; i < 10; ++i) {
        fields.emplace_back("n" + std::to_string(i), std::to_string(static_cast<LONG>(number[i])));
    }
    for (int i = 0; i < 4; ++i) {
        fields.emplace_back("f" + std::to_string(i), std::to_string(flag[i]));
    }
    fields.emplace_back("time", Hex(time.GetHigh()) + ":" + Hex(time.GetLow()));
    std::string records;
    for (POSITION position = modules.GetHeadPosition(); position != nullptr;) {
        const CDownloadModule& module = modules.GetNext(position);
        records += (records.empty() ? "" : ";") + module.GetFileName().Str() + "," +
                   std::to_string(module.GetOffset()) + "," + module.GetFormat().Str() + "," +
                   std::to_string(module.GetOptionWord1()) + "," + std::to_string(module.GetOptionWord2()) + "," +
                   std::to_string(module.GetOptionWord3()) + "," + std::to_string(module.GetOptionWord4());
    }
    fields.emplace_back("modules", "[" + records + "]");
    records.clear();
    for (POSITION position = files.GetHeadPosition(); position != nullptr;) {
        const CCommandFile* file = files.GetNext(position);
        records += (records.empty() ? "" : ";") + file->GetFileName().Str() + ":" + std::to_string(file->GetMode());
    }
    fields.emplace_back("files", "[" + records + "]");
    records.clear();
    for (POSITION position = pairs.GetHeadPosition(); position != nullptr;) {
        const DOUBLESTRING_STRUCT& pair = pairs.GetNext(position);
        records += (records.empty() ? "" : ";") + pair.first.Str() + "/" + pair.second.Str();
    }
    fields.emplace_back("pairs", "[" + records + "]");
    records.clear();
    for (POSITION position = quads.GetHeadPosition(); position != nullptr;) {
        const QUADSTRING_STRUCT* quad = quads.GetNext(position);
        records += (records.empty() ? "" : ";") + quad->first.Str() + "/" + quad->second.Str() + "/" +
                   quad->third.Str() + "/" + quad->fourth.Str();
    }
    fields.emplace_back("quads", "[" + records + "]");
    records.clear();
    for (POSITION position = textTextNumbers.GetHeadPosition(); position != nullptr;) {
        const DOUBLESTRINGUINT_STRUCT* record = textTextNumbers.GetNext(position);
        records += (records.empty() ? "" : ";") + record->first.Str() + "/" + record->second.Str() + "/" +
                   std::to_string(record->value);
    }
    fields.emplace_back("ttn", "[" + records + "]");
    std::vector<std::string> entries;
    for (POSITION position = placeholders.GetStartPosition(); position != nullptr;) {
        CString key;
        CCustomPlaceholderInfo* info = nullptr;
        placeholders.GetNextAssoc(position, key, info);
        entries.push_back(info->m_name.Str() + ":" + info->m_description.Str() + ":" + info->m_value.Str());
    }
    std::sort(entries.begin(), entries.end());
    records.clear();
    for (const std::string& entry : entries) {
        records += (records.empty() ? "" : ";") + entry;
    }
    fields.emplace_back("placeholders", "[" + records + "]");
    return fields;
}

std::string CallerState::Changes() const {
    static const CallerState kStart;
    const auto start = kStart.Fields();
    const auto now = Fields();
    std::string changes;
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i].second != start[i].second) {
            changes += (changes.empty() ? "" : " ") + now[i].first + "=" + now[i].second;
        }
    }
    return changes;
}

bool MakesTexts(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return !arg.empty() && (arg[0] == '"' || arg[0] == '&');
    });
}

bool MakesLists(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return !arg.empty() && arg[0] == '['; });
}

std::vector<std::string> WithNullTexts(std::vector<std::string> args) {
    for (std::string& arg : args) {
        if (!arg.empty() && arg[0] == '"') {
            arg = "null";
        }
    }
    return args;
}

std::string J(const std::string& result, const std::string& changes) {
    return changes.empty() ? result : result + " " + changes;
}

std::ostream& operator<<(std::ostream& out, const Located& located) {
    return out << "fake " << located.fake << " " << located.call;
}

}  // namespace wrapper_rows
