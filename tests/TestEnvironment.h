#pragma once

#include "calendar/DTime.h"
#include "platform/Clock.h"
#include "platform/ValuesProfile.h"
#include "settings/KalSettings.h"
#include "support/FixedClock.h"
#include "support/MemoryProfile.h"
#include "support/RecordingUi.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>

namespace kal {

// Shows a date and time as text in test failures.
void PrintTo(const CDTime& time, std::ostream* out);

} // namespace kal

namespace kal::test {

// Gives each test its own settings in memory, a recording user interface and a fixed clock, and puts
// the process's own back afterwards.
class TestEnvironment : public ::testing::Test {
protected:
    TestEnvironment()
        : clock_(0)
    {
        previousProfile_ = Profile::Install(&profile_);
        previousUi_ = Ui::Install(&ui_);
        previousClock_ = Clock::Install(&clock_);
        settings_.Load(profile_);
        previousSettings_ = CKalSettings::Install(&settings_);
        clock_.Set(CDTime(2026, 12, 7, 9, 30, 0).Instant());
    }
    ~TestEnvironment() override
    {
        CKalSettings::Install(previousSettings_);
        Clock::Install(previousClock_);
        Ui::Install(previousUi_);
        Profile::Install(previousProfile_);
    }

    // Reloads the settings after the test changed the profile behind them.
    void ReloadSettings() { settings_.Load(profile_); }

    MemoryProfile profile_;
    RecordingUi ui_;
    FixedClock clock_;
    CKalSettings settings_;

private:
    Profile* previousProfile_ = nullptr;
    Ui* previousUi_ = nullptr;
    Clock* previousClock_ = nullptr;
    CKalSettings* previousSettings_ = nullptr;
};

// Sets TZ for the life of the object and restores the previous zone afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::string previous_;
    bool hadPrevious_ = false;
};

// A fresh empty folder under the test's temporary area, removed with the object.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace kal::test
