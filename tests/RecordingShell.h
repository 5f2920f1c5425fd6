#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

namespace kal::test {

// Records what would have been started instead of starting it, installed for the object's life.
class RecordingShell final : public Shell {
public:
    RecordingShell() { previous_ = Shell::Install(this); }
    ~RecordingShell() override { Shell::Install(previous_); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    [[nodiscard]] const std::vector<std::string>& Started() const { return started_; }
    // As on a desktop with no program for the file: the opener is tried (and recorded) but fails.
    void FailStarts() { fails_ = true; }

protected:
    bool Start(const std::string& target) override
    {
        started_.push_back(target);
        return !fails_;
    }

private:
    std::vector<std::string> started_;
    bool fails_ = false;
    Shell* previous_ = nullptr;
};

} // namespace kal::test
