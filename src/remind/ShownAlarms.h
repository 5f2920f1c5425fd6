#pragma once

#include <QString>

#include <cstdint>
#include <unordered_map>

namespace kal {

// The reminders already shown, kept in a small file so that a restart or a second session never shows
// one again. Each is kept with the moment it was due and forgotten two days later, when no catch-up
// looks at it any more.
class ShownAlarms {
public:
    // The file in $XDG_STATE_HOME/kalendra ($HOME/.local/state/kalendra when unset).
    [[nodiscard]] static QString DefaultPath();

    explicit ShownAlarms(QString path);

    // Reads the file again: another session may have shown some meanwhile.
    void Read();
    [[nodiscard]] bool Has(std::uint64_t key) const { return shown_.count(key) != 0; }
    void Add(std::uint64_t key, std::int64_t due) { shown_[key] = due; }
    // Writes the file safely, leaving out what is older than two days before `now`. False on failure.
    bool Write(std::int64_t now);

private:
    QString path_;
    std::unordered_map<std::uint64_t, std::int64_t> shown_;
};

} // namespace kal
