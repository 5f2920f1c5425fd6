#include "app/PeriodCommands.h"

#include "app/AppTexts.h"
#include "calendar/CivilDate.h"
#include "dialogs/ExportDialog.h"
#include "dialogs/TextCopyDialog.h"
#include "platform/Clipboard.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "store/ExchangeTexts.h"
#include "store/FileMessage.h"
#include "store/OutlookCsv.h"
#include "store/StoreTexts.h"
#include "ui/Ui.h"
#include "views/PeriodWriter.h"

#include <algorithm>

namespace kal {

namespace {

constexpr char kSystem[] = "System";
constexpr char kTextCopySpan[] = "TextCopySpan";
constexpr char kExportSpan[] = "ExportSpan";
constexpr int kDefaultSpan = 14;
// A span read from a damaged settings file stays within ten years, so the proposed end is a date
// the program works with.
constexpr int kLongestSpan = 3660;

constexpr char kImportSection[] = "Import";
constexpr char kImportValue[] = "Outlook";
constexpr char16_t kImportTitle[] = u"Outlook インポートファイル";
constexpr char16_t kImportFilter[] = u"CSVﾌｧｲﾙ(*.CSV) |*.CSV|全てのﾌｧｲﾙ(*.*) |*.*||";
constexpr char16_t kImportExtension[] = u"csv";

struct Period {
    CDTime start;
    CDTime end;
};

// Today and the day `span` days on, the span as last stored under `name`.
Period ProposedPeriod(const char* name)
{
    const int span = std::clamp(Profile::Current().GetInt(kSystem, name, kDefaultSpan), 0, kLongestSpan);
    const CDTime today = DateOnly(CDTime::Now());
    return { today, CDTime(today.Year(), today.Month(), today.Day() + span, 0, 0) };
}

void StoreSpan(const char* name, CDTime start, CDTime end)
{
    const long long days
        = DaysFromCivil(end.Year(), end.Month(), end.Day()) - DaysFromCivil(start.Year(), start.Month(), start.Day());
    Profile::Current().SetInt(kSystem, name, static_cast<int>(days));
}

} // namespace

std::string ExportPath(const std::u16string& typed)
{
    std::string path = ToUtf8(typed);
    if (!path.empty() && path.front() != '/')
        path = JoinPath(DocumentsFolder(), path);
    return path;
}

void CopyPeriodText(CKalStore& store)
{
    const Period proposed = ProposedPeriod(kTextCopySpan);
    const auto request = AskTextCopy(proposed.start, proposed.end);
    if (!request)
        return;
    StoreSpan(kTextCopySpan, request->period.first, request->period.last);
    const std::u16string text = PeriodTextCopy(store, request->period.first, request->period.last, request->options);
    if (text.empty()) {
        Ui::Current().ShowMessage(exchange::kNoSchedules);
        return;
    }
    Clipboard::Current().SetText(text);
}

void ExportPeriod(CKalStore& store)
{
    const Period proposed = ProposedPeriod(kExportSpan);
    const auto request = AskExport(proposed.start, proposed.end);
    if (!request)
        return;
    StoreSpan(kExportSpan, request->period.first, request->period.last);
    const std::string path = ExportPath(request->file);
    FileError error;
    const HiddenEntries hidden = request->hidden ? HiddenEntries::Export : HiddenEntries::Skip;
    if (!ExportOutlookCsv(
            store, request->period.first, request->period.last, path, hidden, SpreadsheetSafety::Exact, &error))
        Ui::Current().ShowMessage(FileFailure(exchange::kExportFailed, path, error).message);
}

std::pair<CDTime, CDTime> ProposedExportPeriod()
{
    const Period proposed = ProposedPeriod(kExportSpan);
    return { proposed.start, proposed.end };
}

void KeepExportSpan(CDTime start, CDTime end)
{
    StoreSpan(kExportSpan, start, end);
}

bool ImportCsv(CKalStore& store)
{
    FileDialogOptions options;
    options.title = kImportTitle;
    options.filter = kImportFilter;
    options.defaultExtension = kImportExtension;
    options.initialName = Profile::Current().GetString(kImportSection, kImportValue, u"");
    const auto chosen = Ui::Current().AskOpenFile(options);
    if (!chosen)
        return false;
    Profile::Current().SetString(kImportSection, kImportValue, *chosen);
    const std::string path = ToUtf8(*chosen);
    CsvImportError error;
    const auto report = ImportOutlookCsvFile(store, path, &error);
    if (!report) {
        std::u16string message = texts::kCannotOpenFile;
        message += u"\n" + FromUtf8(path);
        if (const std::u16string reason = CsvImportErrorReason(error); !reason.empty())
            message += u"\n" + reason;
        Ui::Current().ShowMessage(message);
        return false;
    }
    if (report->skipped > 0) {
        std::u16string message = texts::kImportSkipped;
        message.replace(message.find(u"%d"), 2, IntText(report->skipped));
        Ui::Current().ShowMessage(message);
    }
    return report->added > 0;
}

} // namespace kal
