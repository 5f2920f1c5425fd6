#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kal {

// Sections of named text values, kept in the order they were first seen so that a rewritten settings
// file looks like the one that was read. Names are matched without regard to ASCII case. Sections and
// names are found through an index, so reading or writing a file costs time in proportion to its size.
class ProfileValues {
public:
    [[nodiscard]] const std::string* Find(std::string_view section, std::string_view name) const;
    void Set(std::string_view section, std::string_view name, std::string value);
    void Clear();

    // The INI text of all values, and the values read from INI text. Lines that are not
    // "[section]" or "name=value", and lines longer than kMaxLineLength, are ignored.
    [[nodiscard]] std::string ToIni() const;
    static ProfileValues FromIni(std::string_view text);

    static constexpr std::size_t kMaxLineLength = 65536;

private:
    struct Entry {
        std::string name;
        std::string value;
    };
    // Positions keyed by the name in ASCII lower case.
    using Index = std::unordered_map<std::string, std::size_t>;
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        Index byName;
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> sections_;
    Index sectionsByName_;
};

// Text escaping used for values in the settings file: backslash, CR and LF are written as \\, \r, \n.
[[nodiscard]] std::string EscapeIniValue(std::string_view value);
[[nodiscard]] std::string UnescapeIniValue(std::string_view text);

} // namespace kal
