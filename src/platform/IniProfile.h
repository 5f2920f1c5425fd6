#pragma once

#include "platform/ValuesProfile.h"

#include <string>

namespace kal {

// The settings file: an INI file whose sections are the settings' sections. It is read once when the
// profile is made; every change rewrites it whole and safely (see WriteFileAtomically), creating its
// folder when needed. A damaged file never stops the program: what cannot be read reads as absent.
class IniProfile : public ValuesProfile {
public:
    explicit IniProfile(std::string path);

    [[nodiscard]] const std::string& Path() const { return path_; }

    // $KALENDRA_CONFIG if set, else $XDG_CONFIG_HOME/Zentrik/Kalendra.ini ($HOME/.config when unset).
    [[nodiscard]] static std::string DefaultPath();

    // Settings files above this size are not read (their values read as defaults).
    static constexpr std::size_t kMaxFileSize = 64u << 20;

protected:
    bool Persist() override;

private:
    std::string path_;
};

} // namespace kal
