#include "platform/ValuesProfile.h"

#include "platform/Text.h"

namespace kal {

int ValuesProfile::GetInt(std::string_view section, std::string_view name, int defaultValue) const
{
    const std::string* text = values_.Find(section, name);
    int value = 0;
    if (text && ParseWholeInt(*text, value))
        return value;
    return defaultValue;
}

std::u16string ValuesProfile::GetString(
    std::string_view section, std::string_view name, std::u16string_view defaultValue) const
{
    const std::string* text = values_.Find(section, name);
    return text ? FromUtf8(*text) : std::u16string(defaultValue);
}

bool ValuesProfile::SetInt(std::string_view section, std::string_view name, int value)
{
    values_.Set(section, name, std::to_string(value));
    return Persist();
}

bool ValuesProfile::SetString(std::string_view section, std::string_view name, std::u16string_view value)
{
    values_.Set(section, name, ToUtf8(value));
    return Persist();
}

bool ValuesProfile::Has(std::string_view section, std::string_view name) const
{
    return values_.Find(section, name) != nullptr;
}

} // namespace kal
