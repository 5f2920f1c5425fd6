#pragma once

#include "app/DocumentViews.h"
#include "app/KalApp.h"
#include "app/MainFrame.h"
#include "platform/Clock.h"
#include "platform/ValuesProfile.h"
#include "qt/MainWindow.h"
#include "settings/KalSettings.h"
#include "support/FixedClock.h"
#include "support/MemoryProfile.h"
#include "support/RecordingUi.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>

#include <optional>

namespace kal {

// The whole window on the offscreen platform: the month view paints the grid the core filled, the
// list shows the day, and commands from the menus reach the core.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : clock_(CDTime(2026, 12, 7, 9, 30).Instant())
    {
        profile_.SetInt("System", "HolidayChangeFlag1", 1);
        profile_.SetInt("System", "InitFile", 0);
        Profile::Install(&profile_);
        Clock::Install(&clock_);
        Ui::Install(&ui_);
        settings_.Load(profile_);
        CKalSettings::Install(&settings_);
    }
    ~MainWindowTest() override
    {
        CKalSettings::Install(nullptr);
        Ui::Install(nullptr);
        Clock::Install(nullptr);
        Profile::Install(nullptr);
    }

    MemoryProfile profile_;
    FixedClock clock_;
    RecordingUi ui_;
    CKalSettings settings_;
};

// A window over a document read from the template, as the program starts.
struct OpenWindow {
    explicit OpenWindow(CKalApp& app)
        : menu(app.Start(Size { 1280, 800 }))
        , views(app.Genres(), &app.Recent())
        , frame(views.document, views.month, views.day)
        , window(app, views.document, views.month, views.day, frame, menu, false)
    {
        window.resize(1000, 700);
        window.show();
        frame.CreateClient(window, Size { 1280, 800 });
        app.OpenFirstDocument(views.document, std::nullopt);
        window.RefreshCommands();
    }

    int menu;
    DocumentViews views;
    CMainFrame frame;
    MainWindow window;
};

} // namespace kal
