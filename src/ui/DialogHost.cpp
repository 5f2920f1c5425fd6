#include "ui/DialogHost.h"

#include "ui/Ui.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kal {

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'　';
}

// A whole number in the int range, with an optional sign and blanks around it.
std::optional<int> ParseWholeNumber(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    std::string ascii;
    for (const char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    if (!ascii.empty() && ascii.front() == '+')
        ascii.erase(0, 1);
    int value = 0;
    const char* end = ascii.data() + ascii.size();
    const auto [stop, error] = std::from_chars(ascii.data(), end, value);
    if (ascii.empty() || error != std::errc {} || stop != end)
        return std::nullopt;
    return value;
}

bool IsNumberField(ControlKind kind)
{
    return kind == ControlKind::NumberEdit || kind == ControlKind::SpinEdit;
}

} // namespace

std::u16string NumberRangeMessage(int minimum, int maximum)
{
    std::u16string message = dialogtext::kEnterNumberInRange;
    const auto put = [&message](std::u16string_view mark, int value) {
        const std::string digits = std::to_string(value);
        message.replace(message.find(mark), mark.size(), std::u16string(digits.begin(), digits.end()));
    };
    put(u"%1", minimum);
    put(u"%2", maximum);
    return message;
}

std::optional<int> DialogHost::Number(int id) const
{
    return ParseWholeNumber(Text(id));
}

bool CheckNumberFields(const DialogResource& resource, DialogHost& host)
{
    for (const ControlResource& control : resource.controls) {
        if (!IsNumberField(control.kind) || control.id == 0 || !host.IsEnabled(control.id))
            continue;
        const NumberRule& rule = control.number;
        const std::optional<int> value = host.Number(control.id);
        std::u16string message;
        if (rule.ranged && (!value || *value < rule.minimum || *value > rule.maximum))
            message = NumberRangeMessage(rule.minimum, rule.maximum);
        else if (!value)
            message = rule.sign == NumberRule::Sign::Unsigned ? dialogtext::kEnterPositiveNumber
                                                              : dialogtext::kEnterWholeNumber;
        else if (rule.sign == NumberRule::Sign::Unsigned && *value < 0)
            message = dialogtext::kEnterPositiveNumber;
        if (!message.empty()) {
            Ui::Current().ShowMessage(message);
            host.SetFocus(control.id);
            return false;
        }
    }
    return true;
}

std::u16string SteppedNumber(std::u16string_view text, int minimum, int maximum, int direction)
{
    const long long top = std::max(minimum, maximum);
    const std::optional<int> value = ParseWholeNumber(text);
    // In long long: a step from the end of the int range must not overflow.
    const long long next = value
        ? std::clamp(static_cast<long long>(*value) + direction, static_cast<long long>(minimum), top)
        : static_cast<long long>(minimum);
    const std::string digits = std::to_string(next);
    return std::u16string(digits.begin(), digits.end());
}

void PressOk(DialogLogic& logic, DialogHost& host)
{
    if (host.HasEnded())
        return;
    if (CheckNumberFields(logic.Resource(), host) && logic.OnOk(host) && !host.HasEnded())
        host.End(kIdOk);
}

void PressCancel(DialogLogic& logic, DialogHost& host)
{
    if (host.HasEnded())
        return;
    logic.OnCancel(host);
    if (!host.HasEnded())
        host.End(kIdCancel);
}

} // namespace kal
