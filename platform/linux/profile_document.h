// An INI file held as its lines, for the profile functions.
//
// Every line keeps its exact bytes and its own line end, so that a rewrite
// reproduces each line it does not change byte for byte, however odd the line
// (junk, a NUL byte, a "[" without "]", a missing final newline).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::profile {

class Document {
public:
    // Splits bytes into lines ended by CRLF, LF or a lone CR.
    explicit Document(std::string_view bytes);

    // The file's bytes: every line followed by its own line end.
    std::string Bytes() const;

    // Section names in file order, duplicates included, empty names left out
    // (they would end a NUL-separated list early).
    std::vector<std::string> SectionNames() const;
    // Key names of the first section called section, or nothing when there
    // is no such section.
    std::optional<std::vector<std::string>> KeyNames(std::string_view section) const;
    // The value of the first key called key in the first section called
    // section: blanks trimmed, one matching pair of enclosing quotes removed.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the key's value in place, or adds the key at the end of its
    // section, or adds the section at the end of the file.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    // Deletes the section's header and every line up to the next section.
    void DeleteSection(std::string_view section);

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n", "\r", or "" for a last line without one
    };
    // Lines [header + 1, end) are the section's body.
    struct Section {
        std::size_t header;
        std::size_t end;
    };

    std::optional<Section> FindSection(std::string_view name) const;
    std::optional<std::size_t> FindKey(const Section& section, std::string_view key) const;
    void Insert(std::size_t index, std::string text);

    std::string bom_;  // a UTF-8 byte order mark that began the file, if any
    std::vector<Line> lines_;
};

}  // namespace platform::profile
