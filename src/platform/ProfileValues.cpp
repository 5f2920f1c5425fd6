#include "platform/ProfileValues.h"

#include <algorithm>

namespace kal {

namespace {

std::string Folded(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool IsPlainName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) > ' ' && static_cast<unsigned char>(c) < 0x7F && c != '=' && c != '['
            && c != ']';
    });
}

// Section names may have spaces inside ("Recent File List"); the brackets trim those around them.
bool IsSectionName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) >= ' ' && static_cast<unsigned char>(c) < 0x7F && c != '[' && c != ']';
    });
}

} // namespace

ProfileValues::Section* ProfileValues::FindSection(std::string_view name)
{
    const auto found = sectionsByName_.find(Folded(name));
    return found == sectionsByName_.end() ? nullptr : &sections_[found->second];
}

const ProfileValues::Section* ProfileValues::FindSection(std::string_view name) const
{
    return const_cast<ProfileValues*>(this)->FindSection(name);
}

const std::string* ProfileValues::Find(std::string_view section, std::string_view name) const
{
    const Section* found = FindSection(section);
    if (!found)
        return nullptr;
    const auto entry = found->byName.find(Folded(name));
    return entry == found->byName.end() ? nullptr : &found->entries[entry->second].value;
}

void ProfileValues::Set(std::string_view section, std::string_view name, std::string value)
{
    Section* target = FindSection(section);
    if (!target) {
        sectionsByName_.emplace(Folded(section), sections_.size());
        sections_.push_back(Section { std::string(section), {}, {} });
        target = &sections_.back();
    }
    const auto [entry, added] = target->byName.try_emplace(Folded(name), target->entries.size());
    if (added)
        target->entries.push_back(Entry { std::string(name), std::move(value) });
    else
        target->entries[entry->second].value = std::move(value);
}

void ProfileValues::Clear()
{
    sections_.clear();
    sectionsByName_.clear();
}

std::string ProfileValues::ToIni() const
{
    std::string out;
    for (const Section& section : sections_) {
        if (!out.empty())
            out += '\n';
        out += '[';
        out += section.name;
        out += "]\n";
        for (const Entry& entry : section.entries) {
            out += entry.name;
            out += '=';
            out += EscapeIniValue(entry.value);
            out += '\n';
        }
    }
    return out;
}

ProfileValues ProfileValues::FromIni(std::string_view text)
{
    ProfileValues values;
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.size() > kMaxLineLength)
            continue;
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[') {
            const std::string_view name = trimmed.back() == ']' ? Trim(trimmed.substr(1, trimmed.size() - 2)) : "";
            inSection = IsSectionName(name);
            if (inSection)
                section = name;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        const std::string_view name = Trim(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        if (!value.empty() && value.back() == '\r')
            value.remove_suffix(1);
        if (IsPlainName(name))
            values.Set(section, name, UnescapeIniValue(value));
    }
    return values;
}

std::string EscapeIniValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string UnescapeIniValue(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

} // namespace kal
