#pragma once

#include "ui/DialogHost.h"

#include <array>
#include <optional>

namespace kal {

namespace weekdaycolourdialog {
inline constexpr int kResourceId = 123;
// Sunday first.
inline constexpr int kLabels[7] = { 133, 144, 145, 146, 147, 148, 149 };
inline constexpr int kChangeButtons[7] = { 134, 150, 151, 152, 153, 154, 155 };
inline constexpr const char16_t* kNames[7] = { u"日曜", u"月曜", u"火曜", u"水曜", u"木曜", u"金曜", u"土曜" };
inline constexpr char16_t kCaption[] = u"曜日色の設定";
inline constexpr char16_t kChangeLabel[] = u"変更..";
} // namespace weekdaycolourdialog

using WeekdayColours = std::array<Colour, 7>; // Sunday first

// Seven weekday names, each shown in its colour, each with a button that changes it.
class WeekdayColourDialog final : public DialogLogic {
public:
    explicit WeekdayColourDialog(const WeekdayColours& colours);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;

    [[nodiscard]] const WeekdayColours& Colours() const { return colours_; }

private:
    DialogResource resource_;
    WeekdayColours colours_;
};

// The weekday colour dialog ("曜日色の設定") on `colours`; the seven colours when closed with "閉じる",
// nothing when cancelled.
[[nodiscard]] std::optional<WeekdayColours> AskWeekdayColours(const WeekdayColours& colours);

} // namespace kal
