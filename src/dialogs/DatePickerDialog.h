#pragma once

#include "calendar/CalendarControl.h"
#include "calendar/DTime.h"
#include "ui/DialogHost.h"

namespace kal {

namespace datepickerdialog {
inline constexpr int kResourceId = 132;
inline constexpr int kCalendar = 1025;
inline constexpr int kToday = 115;
inline constexpr int kNextMonth = 113;
inline constexpr int kPreviousMonth = 114;
inline constexpr char16_t kCaption[] = u"カレンダー";
inline constexpr char16_t kTodayLabel[] = u"今日へ(&T)";
} // namespace datepickerdialog

// A month calendar to pick one day from.
class DatePickerDialog final : public DialogLogic {
public:
    explicit DatePickerDialog(CDTime initial);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    CustomControl* Custom(int id) override;
    bool OnOk(DialogHost& host) override;

    // The day picked (the initial one until OK).
    [[nodiscard]] CDTime Date() const { return date_; }
    [[nodiscard]] CalendarControl& Calendar() { return calendar_; }

private:
    DialogResource resource_;
    CalendarControl calendar_;
    CDTime date_;
};

} // namespace kal
