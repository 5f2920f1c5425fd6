#include "calstore/IcalMapping.h"

#include "platform/Text.h"
#include "store/EntryRow.h"

#include <libical/ical.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace kal::ical {

namespace {

constexpr char kBase64Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// FNV-1a over 64 bits from two starts at once: two independent halves of a 128-bit digest.
std::string Digest(std::string_view bytes)
{
    std::uint64_t first = 0xcbf29ce484222325ULL;
    std::uint64_t second = 0x84222325cbf29ce4ULL;
    for (const char c : bytes) {
        first = (first ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
        second = (second ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 15; i >= 0; --i, first >>= 4, second >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[first & 0xF];
        text[static_cast<std::size_t>(i + 16)] = kDigits[second & 0xF];
    }
    return text;
}

constexpr std::array kFingerprinted = { ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DUE_PROPERTY,
    ICAL_DURATION_PROPERTY, ICAL_RRULE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_RECURRENCEID_PROPERTY,
    ICAL_SUMMARY_PROPERTY, ICAL_LOCATION_PROPERTY, ICAL_DESCRIPTION_PROPERTY, ICAL_STATUS_PROPERTY,
    ICAL_COMPLETED_PROPERTY, ICAL_CATEGORIES_PROPERTY, ICAL_TRIGGER_PROPERTY };

void CollectValues(icalcomponent* component, std::vector<std::string>& values)
{
    for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); property;
         property = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
        const icalproperty_kind kind = icalproperty_isa(property);
        if (std::find(kFingerprinted.begin(), kFingerprinted.end(), kind) == kFingerprinted.end())
            continue;
        std::string value = icalproperty_kind_to_string(kind);
        if (const char* zone = icalproperty_get_parameter_as_string(property, "TZID"))
            value.append(";").append(zone);
        value += ':';
        if (const char* text = icalproperty_get_value_as_string(property))
            value += text;
        values.push_back(std::move(value));
    }
    for (icalcomponent* inner = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        CollectValues(inner, values);
}

} // namespace

std::string EntryUid(std::string_view fileName, const CKalData& entry, int sameBefore)
{
    std::u16string line;
    AppendEntryLine(entry, line);
    return EntryUidOfLine(fileName, ToUtf8(line), sameBefore);
}

std::string EntryUidOfLine(std::string_view fileName, std::string_view utf8Line, int sameBefore)
{
    std::string key(fileName);
    key += '\n';
    key += utf8Line;
    if (sameBefore > 0)
        key += std::to_string(sameBefore);
    return Digest(key) + kUidDomain;
}

std::string Fingerprint(icalcomponent* component)
{
    std::vector<std::string> values;
    CollectValues(component, values);
    return FingerprintOfValues(std::move(values));
}

std::string FingerprintOfValues(std::vector<std::string> values)
{
    std::sort(values.begin(), values.end());
    std::string joined;
    for (const std::string& value : values)
        joined.append(value).append("\n");
    return Digest(joined);
}

std::string ColourText(Colour colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

std::optional<Colour> ParseColourText(std::string_view text)
{
    Colour rgb = 0;
    const char* const end = text.data() + text.size();
    if (text.size() != 7 || text[0] != '#' || std::from_chars(text.data() + 1, end, rgb, 16).ptr != end)
        return std::nullopt;
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::string Base64(std::string_view bytes)
{
    std::string text((bytes.size() + 2) / 3 * 4, '=');
    char* out = text.data();
    const auto byte = [&](std::size_t at) { return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u; };
    for (std::size_t i = 0; i < bytes.size(); i += 3, out += 4) {
        const std::uint32_t group = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        for (std::size_t k = 0; k <= count; ++k)
            out[k] = kBase64Letters[group >> (18 - 6 * k) & 0x3F];
    }
    return text;
}

std::optional<std::string> FromBase64(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t group = 0;
        int padding = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const char* found = c == '=' ? nullptr : std::strchr(kBase64Letters, c);
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++padding;
            } else if (!found || !c || padding > 0) {
                return std::nullopt;
            }
            group = group << 6 | (found ? static_cast<std::uint32_t>(found - kBase64Letters) : 0u);
        }
        for (int k = 0; k < 3 - padding; ++k)
            bytes += static_cast<char>(group >> (16 - 8 * k) & 0xFF);
    }
    return bytes;
}

} // namespace kal::ical
