#include "store/HandedAlarms.h"

#include "platform/Text.h"
#include "store/KalData.h"

#include <charconv>
#include <cstdio>

namespace kal {

namespace {

constexpr char16_t kSeparator = u'\t';

std::u16string OneLine(std::u16string text)
{
    for (char16_t& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

template <class Number> std::optional<Number> ParseNumber(std::u16string_view text, int base)
{
    const std::string ascii = ToUtf8(std::u16string(text));
    Number value {};
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, base);
    if (error != std::errc() || end != ascii.data() + ascii.size() || ascii.empty())
        return std::nullopt;
    return value;
}

} // namespace

HandedAlarm Handed(const Alarm& alarm)
{
    const LocalFields f = alarm.day.Fields();
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", f.year, f.month, f.day);
    return HandedAlarm { alarm.due, AlarmKey(alarm), FromUtf8(day), AlarmSummary(alarm), alarm.entry->place };
}

std::u16string HandedAlarmLine(const HandedAlarm& alarm)
{
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%lld\t%llx\t", static_cast<long long>(alarm.due),
        static_cast<unsigned long long>(alarm.key));
    return FromUtf8(numbers) + OneLine(alarm.day) + kSeparator + OneLine(alarm.summary) + kSeparator
        + OneLine(alarm.place);
}

std::optional<HandedAlarm> ParseHandedAlarmLine(std::u16string_view line)
{
    std::vector<std::u16string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find(kSeparator, from);
        fields.push_back(line.substr(from, tab - from));
        if (tab == std::u16string_view::npos)
            break;
        from = tab + 1;
    }
    if (fields.size() != 5)
        return std::nullopt;
    const auto due = ParseNumber<long long>(fields[0], 10);
    const auto key = ParseNumber<unsigned long long>(fields[1], 16);
    if (!due || !key)
        return std::nullopt;
    return HandedAlarm { *due, *key, std::u16string(fields[2]), std::u16string(fields[3]), std::u16string(fields[4]) };
}

} // namespace kal
