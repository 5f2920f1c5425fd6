#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "ui/DialogResource.h"

#include <optional>
#include <string_view>
#include <vector>

namespace kal {

class DialogHost;

// The calendar button beside a date field: opens the date picker on the field's date (read without
// clamping the year; today when it does not read) and, when a day is picked, writes its date text
// into the field. True when a day was picked.
bool PickDateInto(DialogHost& host, int editId);

// Turns OK down on account of one field: shows `message` and puts the focus on the field. Always
// false, so that an OnOk can return it.
bool RefuseField(DialogHost& host, int id, std::u16string_view message);

// The date in a date field as OK reads it. The year is not clamped: a date outside the years the
// program works with does not read rather than quietly moving to the nearest year. When the field
// does not read, the field is refused with `message` and nothing is given.
[[nodiscard]] std::optional<CDTime> ReadDateField(DialogHost& host, int editId, std::u16string_view message);

// A period's start and end fields read as ReadDateField does, the start first; nothing unless both
// read.
[[nodiscard]] std::optional<DateRange> ReadPeriodFields(
    DialogHost& host, int startId, std::u16string_view startMessage, int endId, std::u16string_view endMessage);
// The same for a period whose end may not come before its start: such an end is refused with
// `endMessage`.
[[nodiscard]] std::optional<DateRange> ReadOrderedPeriodFields(
    DialogHost& host, int startId, std::u16string_view startMessage, int endId, std::u16string_view endMessage);

// The texts of a period's two date fields.
namespace periodfield {
inline constexpr char16_t kStartLabel[] = u"開始日:";
inline constexpr char16_t kEndLabel[] = u"終了日:";
inline constexpr char16_t kInvalidStart[] = u"正しい開始日付を入力してください";
inline constexpr char16_t kInvalidEnd[] = u"正しい終了日付を入力してください";
} // namespace periodfield

// A period as the period dialogs ask for it: a start and an end date field, each with a calendar
// button beside it.
struct PeriodFields {
    int start;
    int end;
    int startCalendar;
    int endCalendar;
    std::u16string_view calendarLabel;

    // The two rows of the fields, from `row` on.
    [[nodiscard]] std::vector<ControlResource> Rows(int row = 0) const;
    void Show(DialogHost& host, DateRange period) const;
    // A click on either calendar button picks a date into its field; true when the click was one.
    bool OnClicked(DialogHost& host, int id) const;
    // Reads the period; nothing, with the message shown, for a field that does not read or an end
    // before the start.
    [[nodiscard]] std::optional<DateRange> Read(DialogHost& host) const;
};

} // namespace kal
