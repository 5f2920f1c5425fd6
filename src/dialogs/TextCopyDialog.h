#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace textcopydialog {
inline constexpr int kResourceId = 144;
inline constexpr int kStart = 146;
inline constexpr int kEnd = 139;
inline constexpr int kStartCalendar = 142;
inline constexpr int kEndCalendar = 143;
inline constexpr int kYear = 120;
inline constexpr int kWeekday = 121;
inline constexpr char16_t kCaption[] = u"テキストコピー";
inline constexpr char16_t kCalendarLabel[] = u"...";
inline constexpr char16_t kYearLabel[] = u"年を入れる(&Y)";
inline constexpr char16_t kWeekdayLabel[] = u"曜日を入れる(&D)";
} // namespace textcopydialog

// A period to copy as text, with the line options of the text copy (textcopy::kYear,
// textcopy::kWeekday).
struct TextCopyRequest {
    DateRange period;
    int options = 0;
};

// The text copy dialog: the period, and whether lines carry the year and the weekday. The two
// choices come from the settings and go back to them on OK.
class TextCopyDialog final : public DialogLogic {
public:
    TextCopyDialog(CDTime start, CDTime end);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const TextCopyRequest& Request() const { return request_; }

private:
    DialogResource resource_;
    TextCopyRequest request_;
};

// The text copy dialog on the period; what was chosen on OK, nothing when cancelled.
[[nodiscard]] std::optional<TextCopyRequest> AskTextCopy(CDTime start, CDTime end);

} // namespace kal
