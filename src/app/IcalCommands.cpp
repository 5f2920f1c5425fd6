#include "app/IcalCommands.h"

#include "app/PeriodCommands.h"
#include "calendar/LocalTime.h"
#include "calstore/IcalExport.h"
#include "calstore/IcalImport.h"
#include "dialogs/ExportDialog.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/ExchangeTexts.h"
#include "store/FileMessage.h"
#include "store/StoreTexts.h"
#include "ui/Ui.h"
#include "views/ListingOptions.h"

namespace kal {

namespace {

constexpr char kImportSection[] = "Import";
constexpr char kImportValue[] = "ICalendar";
constexpr char16_t kImportTitle[] = u"iCalendar インポートファイル";
constexpr char16_t kImportFilter[] = u"iCalendarﾌｧｲﾙ(*.ics) |*.ics|全てのﾌｧｲﾙ(*.*) |*.*||";
constexpr char16_t kImportExtension[] = u"ics";
constexpr char16_t kNoZoneName[]
    = u"このコンピューターのタイムゾーンの名前がわからないため、時刻はタイムゾーンを付けずに書き出します。";

} // namespace

IcalExportOptions IcalExportOptionsFor(const CKalSettings& settings, const std::string& schedulePath)
{
    IcalExportOptions options;
    options.fileName = NameOf(schedulePath);
    options.schedulePath = schedulePath;
    options.untimedAlarmMinute = AlarmOptionsFrom(settings).untimedMinute;
    const DayListingOptions listing = ListingOptionsFrom(settings);
    options.generatedHolidays = GeneratedHolidayKinds { listing.equinoxHolidays, listing.substituteHolidays };
    return options;
}

IcalImportOptions IcalImportOptionsFor(const CKalSettings& settings, const std::string& schedulePath)
{
    IcalImportOptions options;
    options.fileName = NameOf(schedulePath);
    options.generatedHolidays = IcalExportOptionsFor(settings, schedulePath).generatedHolidays.value();
    return options;
}

void ExportIcalendar(const CKalStore& store, const std::string& schedulePath)
{
    const auto [proposedStart, proposedEnd] = ProposedExportPeriod();
    const auto request = AskExport(proposedStart, proposedEnd, kIcalExport);
    if (!request)
        return;
    IcalExportOptions options = IcalExportOptionsFor(CKalSettings::Current(), schedulePath);
    if (!request->wholeFile) {
        KeepExportSpan(request->period.first, request->period.last);
        options.period = request->period;
    }
    options.includeHidden = request->hidden;
    Ui& ui = Ui::Current();
    if (request->withZone) {
        options.zone = LocalTime::ZoneName();
        if (options.zone.empty())
            ui.ShowMessage(kNoZoneName);
    }
    const Result<IcalExport> exported = ExportIcal(store, options);
    if (!exported) {
        ui.ShowMessage(exported.Error().message);
        return;
    }
    const std::string path = ExportPath(request->file);
    if (const FileStatus written = WriteFileAtomically(path, exported->text); !written) {
        ui.ShowMessage(FileFailure(exchange::kExportFailed, path, written.Error()).message);
        return;
    }
    ui.ShowMessage(ExportSummaryText(exported->summary));
}

std::optional<StoreOperation> ImportIcalendar(const CKalStore& store, const std::string& schedulePath)
{
    FileDialogOptions dialog;
    dialog.title = kImportTitle;
    dialog.filter = kImportFilter;
    dialog.defaultExtension = kImportExtension;
    dialog.initialName = Profile::Current().GetString(kImportSection, kImportValue, u"");
    Ui& ui = Ui::Current();
    const auto chosen = ui.AskOpenFile(dialog);
    if (!chosen)
        return std::nullopt;
    Profile::Current().SetString(kImportSection, kImportValue, *chosen);
    const std::string path = ToUtf8(*chosen);
    const Result<std::string, FileError> text = ReadWholeFile(path, kMaxIcalImportBytes);
    if (!text) {
        ui.ShowMessage(FileFailure(texts::kCannotOpenFile, path, text.Error()).message);
        return std::nullopt;
    }
    IcalImportOptions options = IcalImportOptionsFor(CKalSettings::Current(), schedulePath);
    Result<IcalImport> imported = ImportIcal(store, *text, options);
    if (!imported) {
        ui.ShowMessage(
            std::u16string(texts::kCannotOpenFile) + u"\n" + FromUtf8(path) + u"\n" + imported.Error().message);
        return std::nullopt;
    }
    ui.ShowMessage(ImportReportText(imported->report));
    if (imported->operation.Empty())
        return std::nullopt;
    return std::move(imported->operation);
}

} // namespace kal
