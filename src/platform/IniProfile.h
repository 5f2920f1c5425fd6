#pragma once

#include "platform/ValuesProfile.h"

#include <chrono>
#include <functional>
#include <string>
#include <unordered_set>
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
// run alone and the first change tells NotAFileHandler() once. When another process holds the lock
// longer than the lock wait (SetLockWait), the change is not written (it lasts for this run, and the next change that
// gets the lock writes it too) and LockedHandler() is told once.
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

    // Told the path of the settings file when a change was not written because the lock stayed held.
    using LockedHandler = std::function<void(const std::string& path)>;
    static void SetLockedHandler(LockedHandler handler);

    // How long a change waits for another process's lock on the file.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    static constexpr std::chrono::milliseconds kDefaultLockWait { 3000 };

    // Settings files above this size are not read (their values read as defaults). The program's own
    // settings take a few kilobytes; every start reads the whole file, so the bound keeps a start
    // quick (a file of this size, some 80,000 values, reads in well under a tenth of a second) and the
    // rare hand-made giant is set aside at the first change instead.
    static constexpr std::size_t kMaxFileSize = 4u << 20;
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
    std::unordered_set<std::string> unsavedKeys_; // "section\nname" of each in unsaved_
    std::chrono::milliseconds lockWait_ = kDefaultLockWait;
    bool lockMissed_ = false; // the last change found the lock held
    bool toldSetAside_ = false;
    bool toldNotAFile_ = false;
    bool toldLocked_ = false;
};

} // namespace kal
