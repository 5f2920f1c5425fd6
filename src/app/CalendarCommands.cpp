#include "app/CalendarCommands.h"

#include "app/PeriodCommands.h"
#include "calstore/CalendarStore.h"
#include "calstore/CalendarTexts.h"
#include "calstore/StoreLocation.h"
#include "dialogs/OutlookPeriodDialog.h"
#include "platform/IniProfile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "ui/Ui.h"

#include <sys/stat.h>

#include <cstdlib>

namespace kal {

namespace {

// The servers the user let a password reach unencrypted, one host each, separated by spaces.
constexpr char kCalendarSection[] = "Calendar";
constexpr char kClearHostsName[] = "PasswordInClearHosts";

bool ClearPasswordAllowed(const std::string& host, Ui& asker)
{
    Profile& profile = Profile::Current();
    const std::string allowed = " " + ToUtf8(profile.GetString(kCalendarSection, kClearHostsName, u"")) + " ";
    if (allowed.find(" " + host + " ") != std::string::npos)
        return true;
    if (!asker.AskYesNo(WithText(calendartexts::kPasswordInClear, FromUtf8(host))))
        return false;
    std::string kept = allowed.substr(1, allowed.size() - 2);
    kept += kept.empty() ? host : " " + host;
    profile.SetString(kCalendarSection, kClearHostsName, FromUtf8(kept));
    return true;
}

// The settings file that holds the password, when others than its owner may read it.
std::optional<std::string> SettingsFileOthersRead()
{
    const auto* file = dynamic_cast<const IniProfile*>(&Profile::Current());
    struct stat status { };
    if (!file || ::stat(file->Path().c_str(), &status) != 0 || (status.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return std::nullopt;
    return file->Path();
}

struct Outcome {
    StoreStatus opened;
    PeriodAdd added;
    StoreStatus closed;
};

// Opens the link, adds `appointments` and closes the link where the user can stop it: a server may
// take long, and the window must not wait for it. What is sent was read from the document before, so
// the work touches nothing but the store. `leaveOutKnown`: each is left out when the store has it.
Outcome RunOnStore(CalendarStore& calendar, const std::vector<Appointment>& appointments, bool leaveOutKnown)
{
    Outcome outcome;
    StopSignal stop;
    calendar.WatchStop(&stop);
    Ui::Current().RunCancellable(
        calendartexts::kAdding,
        [&](const Ui::WorkProgress& progress) {
            outcome.opened = calendar.Open();
            if (!outcome.opened.Ok())
                return;
            if (leaveOutKnown) {
                outcome.added = AddAppointments(calendar, appointments, progress, &stop);
            } else {
                for (const Appointment& appointment : appointments) {
                    outcome.added.status = calendar.Add(appointment);
                    if (!outcome.added.status.Ok())
                        break;
                    ++outcome.added.added;
                }
            }
            outcome.closed = calendar.Close();
        },
        [&stop] { stop.Stop(); });
    calendar.WatchStop(nullptr);
    return outcome;
}

} // namespace

ServerPassword CalendarPassword(const std::string& location, const std::string& user, Ui& asker)
{
    if (!NeedsPassword(location, user))
        return { std::string(), {} };
    if (const std::string host = HostReachedInClear(location); !host.empty() && !ClearPasswordAllowed(host, asker))
        return { std::nullopt, calendartexts::kPasswordNotSent };
    const char* given = std::getenv(kCalDavPasswordVariable);
    if (given && *given)
        return { std::string(given), {} };
    const std::u16string& kept = CKalSettings::Current().Get(TextSetting::CalendarPassword);
    if (!kept.empty()) {
        if (const auto file = SettingsFileOthersRead())
            return { std::nullopt, WithText(calendartexts::kPasswordFileOpen, FromUtf8(*file)) };
        return { ToUtf8(kept), {} };
    }
    const auto asked = asker.AskPassword(calendartexts::kPasswordCaption, calendartexts::kPasswordPrompt);
    if (!asked)
        return {};
    return { ToUtf8(*asked), {} };
}

std::unique_ptr<CalendarStore> ConfiguredCalendarStore()
{
    const CKalSettings& settings = CKalSettings::Current();
    const std::string location = ToUtf8(settings.Get(TextSetting::CalendarStore));
    const std::string user = ToUtf8(settings.Get(TextSetting::CalendarUser));
    const ServerPassword password = CalendarPassword(location, user, Ui::Current());
    if (!password.password) {
        if (!password.refusal.empty())
            Ui::Current().ShowMessage(password.refusal);
        return nullptr;
    }
    return MakeCalendarStore(location, user, *password.password);
}

bool AddEntryToCalendar(const CKalData& entry, CDTime day)
{
    const std::optional<Appointment> appointment = AppointmentFor(entry, day);
    if (!appointment)
        return false;
    std::unique_ptr<CalendarStore> calendar = ConfiguredCalendarStore();
    if (!calendar)
        return false;
    const Outcome outcome = RunOnStore(*calendar, { *appointment }, false);
    if (!outcome.opened.Ok()) {
        Ui::Current().ShowMessage(outcome.opened.message);
        return false;
    }
    const StoreStatus& failure = outcome.added.status.Ok() ? outcome.closed : outcome.added.status;
    Ui::Current().ShowMessage(failure.Ok() ? std::u16string(calendartexts::kEntryAdded) : failure.message);
    return failure.Ok();
}

void AddPeriodToCalendar(CKalStore& store)
{
    const auto [from, to] = ProposedExportPeriod();
    const std::optional<OutlookPeriod> period = AskOutlookPeriod(OutlookPeriod { from, to });
    if (!period)
        return;
    KeepExportSpan(period->first, period->last);
    std::unique_ptr<CalendarStore> calendar = ConfiguredCalendarStore();
    if (!calendar)
        return;
    const Outcome outcome = RunOnStore(*calendar, PeriodAppointments(store, period->first, period->last), true);
    if (!outcome.opened.Ok()) {
        Ui::Current().ShowMessage(outcome.opened.message);
        return;
    }
    const PeriodAdd& added = outcome.added;
    const StoreStatus& closed = outcome.closed;
    // A store that writes on close and failed kept nothing, whatever the count says.
    if (!closed.Ok()) {
        Ui::Current().ShowMessage(closed.message);
    } else if (!added.status.Ok()) {
        Ui::Current().ShowMessage(added.status.message + u"\n" + WithNumber(calendartexts::kStoppedAfter, added.added));
    } else {
        Ui::Current().ShowMessage(WithNumber(calendartexts::kPeriodAdded, added.added));
    }
}

} // namespace kal
