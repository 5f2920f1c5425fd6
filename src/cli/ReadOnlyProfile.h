#pragma once

#include "platform/ValuesProfile.h"

namespace kal {

// The user's settings as a command that only reports sees them: values read through to `settings`,
// and a change (loading a file can record that its holidays were updated) lasts for this run alone.
class ReadOnlyProfile final : public Profile {
public:
    explicit ReadOnlyProfile(const Profile& settings)
        : settings_(settings)
    {
    }

    int GetInt(std::string_view section, std::string_view name, int defaultValue) const override
    {
        return changes_.Has(section, name) ? changes_.GetInt(section, name, defaultValue)
                                           : settings_.GetInt(section, name, defaultValue);
    }
    std::u16string GetString(
        std::string_view section, std::string_view name, std::u16string_view defaultValue) const override
    {
        return changes_.Has(section, name) ? changes_.GetString(section, name, defaultValue)
                                           : settings_.GetString(section, name, defaultValue);
    }
    bool SetInt(std::string_view section, std::string_view name, int value) override
    {
        return changes_.SetInt(section, name, value);
    }
    bool SetString(std::string_view section, std::string_view name, std::u16string_view value) override
    {
        return changes_.SetString(section, name, value);
    }

private:
    const Profile& settings_;
    ValuesProfile changes_;
};

} // namespace kal
