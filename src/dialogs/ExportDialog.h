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

// The iCalendar export asks the same and two more things: the whole file instead of a period, and
// times tied to this computer's zone instead of floating ones.
inline constexpr int kIcalResourceId = 148;
inline constexpr int kWholeFile = 1041;
inline constexpr int kWithZone = 1042;
inline constexpr char16_t kIcalCaption[] = u"iCalendar エクスポート";
inline constexpr char16_t kWholeFileLabel[] = u"全期間(&A)";
inline constexpr char16_t kWithZoneLabel[] = u"時刻にこのコンピューターのタイムゾーンを付ける(&Z)";
inline constexpr char16_t kIcalFileTitle[] = u"iCalendar エクスポートファイル";
inline constexpr char16_t kIcalFileFilter[] = u"iCalendarﾌｧｲﾙ(*.ics) |*.ics||";
inline constexpr char16_t kIcalFileExtension[] = u"ics";
} // namespace exportdialog

// What one kind of export asks for, and under which settings it keeps the answers.
struct ExportKind {
    int resourceId;
    std::u16string_view caption;
    std::u16string_view fileTitle;
    std::u16string_view fileFilter;
    std::u16string_view fileExtension;
    const char* fileValue;
    const char* hiddenValue;
    // Null for an export that always writes a period in floating times.
    const char* wholeFileValue;
    const char* withZoneValue;
};
inline constexpr ExportKind kCsvExport { exportdialog::kResourceId, exportdialog::kCaption, exportdialog::kFileTitle,
    exportdialog::kFileFilter, exportdialog::kFileExtension, "ExportFile", "ExportNoView", nullptr, nullptr };
inline constexpr ExportKind kIcalExport { exportdialog::kIcalResourceId, exportdialog::kIcalCaption,
    exportdialog::kIcalFileTitle, exportdialog::kIcalFileFilter, exportdialog::kIcalFileExtension, "IcalExportFile",
    "IcalExportNoView", "IcalExportAll", "IcalExportZone" };

// A period to export, the file to write and whether hidden schedules go too; for an iCalendar
// export also whether the whole file goes, and whether times carry the zone.
struct ExportRequest {
    DateRange period;
    std::u16string file;
    bool hidden = false;
    bool wholeFile = false;
    bool withZone = false;
};

// The export dialog: the period, the file and the hidden-schedules choice (and for iCalendar the
// whole-file and zone choices). The file and the choices come from the settings and go back to them
// on OK.
class ExportDialog final : public DialogLogic {
public:
    ExportDialog(CDTime start, CDTime end, const ExportKind& kind = kCsvExport);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const ExportRequest& Request() const { return request_; }

private:
    void ShowWholeFile(DialogHost& host, bool wholeFile) const;

    const ExportKind& kind_;
    DialogResource resource_;
    ExportRequest request_;
};

// The export dialog on the period; what was chosen on OK, nothing when cancelled.
[[nodiscard]] std::optional<ExportRequest> AskExport(CDTime start, CDTime end, const ExportKind& kind = kCsvExport);

} // namespace kal
