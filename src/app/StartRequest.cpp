#include "app/StartRequest.h"

#include "platform/Text.h"

#include <cstdio>

namespace kal {

namespace {

constexpr std::u16string_view kDateOption = u"--date";
// A path never begins with it: a message with a day starts so, the day and the path follow on lines.
constexpr std::u16string_view kDateMark = u"--date=";

std::optional<CDTime> ParseIsoDate(std::u16string_view text)
{
    int year = 0;
    int month = 0;
    int day = 0;
    char rest = 0;
    const std::string utf8 = ToUtf8(std::u16string(text));
    if (std::sscanf(utf8.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3 || !IsValidDate(year, month, day))
        return std::nullopt;
    return CDTime(year, month, day);
}

std::u16string IsoDate(CDTime date)
{
    const LocalFields f = date.Fields();
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", f.year, f.month, f.day);
    return FromUtf8(text);
}

} // namespace

std::optional<StartRequest> ParseStartArguments(const std::vector<std::u16string>& arguments)
{
    StartRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == kDateOption && !request.date && i + 1 < arguments.size()) {
            request.date = ParseIsoDate(arguments[++i]);
            if (!request.date)
                return std::nullopt;
        } else if (arguments[i].starts_with(u"-") || !request.file.empty()) {
            return std::nullopt;
        } else {
            request.file = arguments[i];
        }
    }
    return request;
}

std::u16string HandOverMessage(const StartRequest& request)
{
    if (!request.date)
        return request.file;
    return std::u16string(kDateMark) + IsoDate(*request.date) + u"\n" + request.file;
}

StartRequest FromHandOverMessage(std::u16string_view message)
{
    StartRequest request;
    if (!message.starts_with(kDateMark)) {
        request.file = message;
        return request;
    }
    message.remove_prefix(kDateMark.size());
    const std::size_t lineEnd = message.find(u'\n');
    request.date = ParseIsoDate(message.substr(0, lineEnd));
    if (lineEnd != std::u16string_view::npos)
        request.file = message.substr(lineEnd + 1);
    return request;
}

} // namespace kal
