#pragma once

#include "platform/Installable.h"

#include <string>
#include <string_view>

namespace kal {

// The per-user settings: named values in sections, each read with the default that applies when the
// value is absent or unreadable. A value that is set is stored at once. Section and value names are
// ASCII and compared without regard to case.
class Profile : public Installable<Profile> {
public:
    virtual ~Profile() = default;

    [[nodiscard]] virtual int GetInt(std::string_view section, std::string_view name, int defaultValue) const = 0;
    [[nodiscard]] virtual std::u16string GetString(
        std::string_view section, std::string_view name, std::u16string_view defaultValue) const = 0;

    // False when the value could not be made lasting (the settings file could not be written);
    // the value is still in force for this process.
    virtual bool SetInt(std::string_view section, std::string_view name, int value) = 0;
    virtual bool SetString(std::string_view section, std::string_view name, std::u16string_view value) = 0;

    // The profile the program runs with: the settings file unless a test installed another one.
    static Profile& Current();
};

} // namespace kal
