#pragma once

#include "platform/Profile.h"
#include "platform/ProfileValues.h"

namespace kal {

// A profile over in-memory values. Persist() makes a change lasting; here it has nothing to do.
class ValuesProfile : public Profile {
public:
    int GetInt(std::string_view section, std::string_view name, int defaultValue) const override;
    std::u16string GetString(
        std::string_view section, std::string_view name, std::u16string_view defaultValue) const override;
    bool SetInt(std::string_view section, std::string_view name, int value) override;
    bool SetString(std::string_view section, std::string_view name, std::u16string_view value) override;

    // Whether a value is present at all, whatever its form.
    [[nodiscard]] bool Has(std::string_view section, std::string_view name) const;

protected:
    virtual bool Persist() { return true; }
    ProfileValues& Values() { return values_; }

private:
    ProfileValues values_;
};

} // namespace kal
