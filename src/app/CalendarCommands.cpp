#include "app/CalendarCommands.h"

#include "app/PeriodCommands.h"
#include "calstore/CalendarStore.h"
#include "calstore/CalendarTexts.h"
#include "calstore/StoreLocation.h"
#include "dialogs/OutlookPeriodDialog.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "ui/Ui.h"

#include <cstdlib>

namespace kal {

namespace {

std::u16string WithCount(std::u16string_view format, int count)
{
    std::u16string text(format);
    const std::size_t at = text.find(u"%d");
    if (at != std::u16string::npos)
        text.replace(at, 2, FromUtf8(std::to_string(count)));
    return text;
}

std::unique_ptr<CalendarStore> OpenConfiguredStore()
{
    std::unique_ptr<CalendarStore> calendar = ConfiguredCalendarStore();
    if (!calendar)
        return nullptr;
    const StoreStatus opened = calendar->Open();
    if (!opened.Ok()) {
        Ui::Current().ShowMessage(opened.message);
        return nullptr;
    }
    return calendar;
}

} // namespace

std::optional<std::string> CalendarPassword(const std::string& location, const std::string& user)
{
    if (!NeedsPassword(location, user))
        return std::string();
    const std::u16string& kept = CKalSettings::Current().Get(TextSetting::CalendarPassword);
    if (!kept.empty())
        return ToUtf8(kept);
    const char* given = std::getenv(kCalDavPasswordVariable);
    if (given && *given)
        return std::string(given);
    const auto asked = Ui::Current().AskPassword(calendartexts::kPasswordCaption, calendartexts::kPasswordPrompt);
    if (!asked)
        return std::nullopt;
    return ToUtf8(*asked);
}

std::unique_ptr<CalendarStore> ConfiguredCalendarStore()
{
    const CKalSettings& settings = CKalSettings::Current();
    const std::string location = ToUtf8(settings.Get(TextSetting::CalendarStore));
    const std::string user = ToUtf8(settings.Get(TextSetting::CalendarUser));
    const std::optional<std::string> password = CalendarPassword(location, user);
    if (!password)
        return nullptr;
    return MakeCalendarStore(location, user, *password);
}

bool AddEntryToCalendar(const CKalData& entry, CDTime day)
{
    const std::optional<Appointment> appointment = AppointmentFor(entry, day);
    if (!appointment)
        return false;
    std::unique_ptr<CalendarStore> calendar = OpenConfiguredStore();
    if (!calendar)
        return false;
    const StoreStatus added = calendar->Add(*appointment);
    const StoreStatus closed = calendar->Close();
    const StoreStatus& failure = added.Ok() ? closed : added;
    Ui::Current().ShowMessage(failure.Ok() ? std::u16string(calendartexts::kEntryAdded) : failure.message);
    return failure.Ok();
}

void AddPeriodToCalendar(CKalStore& store)
{
    const auto [from, to] = ProposedExportPeriod();
    const std::optional<OutlookPeriod> period = AskOutlookPeriod(OutlookPeriod { from, to });
    if (!period)
        return;
    KeepExportSpan(period->start, period->end);
    std::unique_ptr<CalendarStore> calendar = OpenConfiguredStore();
    if (!calendar)
        return;
    const PeriodAdd added = AddPeriod(*calendar, store, period->start, period->end);
    const StoreStatus closed = calendar->Close();
    // A store that writes on close and failed kept nothing, whatever the count says.
    if (!closed.Ok()) {
        Ui::Current().ShowMessage(closed.message);
    } else if (!added.status.Ok()) {
        Ui::Current().ShowMessage(added.status.message + u"\n" + WithCount(calendartexts::kStoppedAfter, added.added));
    } else {
        Ui::Current().ShowMessage(WithCount(calendartexts::kPeriodAdded, added.added));
    }
}

} // namespace kal
