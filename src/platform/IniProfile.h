#pragma once

#include "platform/ValuesProfile.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kal {

// The settings file: an INI file whose sections are the settings' sections. It is read when the
// profile is made. Other processes (a second program, the command-line tool) write it too, so every
// change takes a lock on a file beside it, reads the file again, puts this process's changed values
// into what it read and rewrites it whole and safely (see WriteFileAtomically), creating its folder
// when needed. A damaged file never stops the program: what cannot be read reads as absent. A file
// that cannot be read at all is never replaced: the first change moves it aside (kBadSuffix) and
// tells SetAsideHandler() once. Something other than a regular file in its place (a FIFO, a device, a
// folder) is neither read nor written nor moved: the settings read as defaults, changes last for this
// run alone and the first change tells NotAFileHandler() once.
class IniProfile : public ValuesProfile {
public:
    explicit IniProfile(std::string path);

    [[nodiscard]] const std::string& Path() const { return path_; }

    // $KALENDRA_CONFIG if set, else $XDG_CONFIG_HOME/Zentrik/Kalendra.ini ($HOME/.config when unset).
    [[nodiscard]] static std::string DefaultPath();

    bool SetInt(std::string_view section, std::string_view name, int value) override;
    bool SetString(std::string_view section, std::string_view name, std::u16string_view value) override;

    // Told the path an unreadable settings file was moved to; the program decides how to show it.
    using SetAsideHandler = std::function<void(const std::string& keptAs)>;
    static void SetSetAsideHandler(SetAsideHandler handler);

    // Told the path of a settings file that is no regular file, when a change could not be written.
    using NotAFileHandler = std::function<void(const std::string& path)>;
    static void SetNotAFileHandler(NotAFileHandler handler);

    // Settings files above this size are not read (their values read as defaults).
    static constexpr std::size_t kMaxFileSize = 64u << 20;
    static constexpr const char* kBadSuffix = ".bad";
    static constexpr const char* kLockSuffix = ".lock";

protected:
    bool Persist() override;

private:
    void Remember(std::string_view section, std::string_view name);
    bool Merge();

    std::string path_;
    // Values set here that are not on disk yet; each write puts them over what the file then holds.
    std::vector<std::pair<std::string, std::string>> unsaved_;
    bool toldSetAside_ = false;
    bool toldNotAFile_ = false;
};

} // namespace kal
