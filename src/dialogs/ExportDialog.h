#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace exportdialog {
inline constexpr int kResourceId = 147;
inline constexpr int kStart = 144;
inline constexpr int kEnd = 139;
inline constexpr int kStartCalendar = 142;
inline constexpr int kEndCalendar = 143;
inline constexpr int kFile = 1039;
inline constexpr int kBrowse = 1038;
inline constexpr int kHidden = 1040;
inline constexpr char16_t kCaption[] = u"エクスポート";
inline constexpr char16_t kFileLabel[] = u"ファイル名:";
inline constexpr char16_t kCalendarLabel[] = u"ｶﾚﾝﾀﾞｰ";
inline constexpr char16_t kBrowseLabel[] = u"...";
inline constexpr char16_t kHiddenLabel[] = u"非表示スケジュールもエクスポート(&N)";
inline constexpr char16_t kNoFileName[] = u"ファイル名が入力されていません";
inline constexpr char16_t kFileTitle[] = u"エクスポートファイル";
inline constexpr char16_t kFileFilter[] = u"CSVﾌｧｲﾙ(*.CSV) |*.CSV||";
inline constexpr char16_t kFileExtension[] = u"csv";
} // namespace exportdialog

// A period to export, the file to write and whether hidden schedules go too.
struct ExportRequest {
    DateRange period;
    std::u16string file;
    bool hidden = false;
};

// The export dialog: the period, the file and the hidden-schedules choice. The file and the choice
// come from the settings and go back to them on OK.
class ExportDialog final : public DialogLogic {
public:
    ExportDialog(CDTime start, CDTime end);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const ExportRequest& Request() const { return request_; }

private:
    DialogResource resource_;
    ExportRequest request_;
};

// The export dialog on the period; what was chosen on OK, nothing when cancelled.
[[nodiscard]] std::optional<ExportRequest> AskExport(CDTime start, CDTime end);

} // namespace kal
