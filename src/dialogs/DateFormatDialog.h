#pragma once

#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace dateformatdialog {
inline constexpr int kResourceId = 168;
inline constexpr int kPosition = 222;
inline constexpr int kFrame = 223;
inline constexpr char16_t kCaption[] = u"日付の表示形式";
inline constexpr char16_t kPositionLabel[] = u"位置(&P):";
inline constexpr char16_t kFrameLabel[] = u"枠(&F):";
inline constexpr const char16_t* kPositions[] = { u"左上", u"右上", u"左下", u"右下", u"背景" };
inline constexpr const char16_t* kFrames[] = { u"なし", u"四角", u"丸" };
} // namespace dateformatdialog

// Where a cell's day number sits [0, 4] and what frames it [0, 2], as the lists order them.
struct DateDisplayFormat {
    int position = 0;
    int frame = 0;
    bool operator==(const DateDisplayFormat&) const = default;
};

class DateFormatDialog final : public DialogLogic {
public:
    explicit DateFormatDialog(DateDisplayFormat format);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const DateDisplayFormat& Format() const { return format_; }

private:
    DialogResource resource_;
    DateDisplayFormat format_;
};

// The date display format dialog ("日付の表示形式") on `format`; the chosen indexes on OK, nothing
// when cancelled.
[[nodiscard]] std::optional<DateDisplayFormat> AskDateFormat(DateDisplayFormat format);

} // namespace kal
