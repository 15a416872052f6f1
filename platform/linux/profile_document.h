// An INI file as the profile functions see it, parsed as Windows (as Wine
// shows it) parses it, and written back in the form Windows writes.
//
// Every line is trimmed of blanks (a Ctrl-Z counts as one); blank lines are
// dropped. A line that
// starts with '[' and has a ']' is a section header, named by the text up to
// the last ']'. Any other line is an entry of the current section: a key
// with a value when it has an '=', otherwise a line without a value (a
// comment, junk), which is kept but never found. Names and values end at a
// NUL byte, as C strings do. The lines before the first header form a
// section without a name (and without a header). A nameless key right after
// another nameless key is dropped, as Windows drops it.
//
// Writing an edit writes the whole file anew: a BOM that began the file, then
// each section's header ("[name]", none for a nameless section) and lines
// ("name=value" or the line without a value), each ending in CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::profile {

class Document {
public:
    explicit Document(std::string_view bytes);

    // The file's bytes as Windows writes them.
    std::string Bytes() const;

    // Names of the sections that have one, in file order, duplicates included.
    std::vector<std::string> SectionNames() const;
    // Names of the keys of the first section called section (lines without a
    // value and comments, which start with ';', left out), or nothing when
    // there is no such section.
    std::optional<std::vector<std::string>> KeyNames(std::string_view section) const;
    // The value of the first key called key in the first section called
    // section, as written (quotes are the reader's business).
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The edits answer whether they changed anything. A name or value given
    // by the caller loses its leading blanks, as Windows writes it.
    // Replaces the value of the first line called key (a line without a value
    // too), or adds the key at the end of its section, or adds the section at
    // the end of the file.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

private:
    struct Entry {
        std::string name;
        std::optional<std::string> value;  // none for a line without '='
    };
    struct Section {
        std::string name;  // empty for the lines before the first header
        std::vector<Entry> entries;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::string bom_;                // a UTF-8 byte order mark that began the file, if any
    std::vector<Section> sections_;  // the first is the nameless one before any header
};

}  // namespace platform::profile
