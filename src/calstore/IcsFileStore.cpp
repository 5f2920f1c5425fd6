#include "calstore/IcsFileStore.h"

#include "calstore/CalendarTexts.h"
#include "calstore/IcalOutline.h"
#include "calstore/IcsEvent.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "store/FileMessage.h"

#include <libical/ical.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kal {

namespace {

constexpr int kLockAttempts = 5;

StoreStatus CannotOpen(std::u16string_view why)
{
    std::u16string message = calendartexts::kCannotOpen;
    message += u'\n';
    message += why;
    return StoreStatus::Failure(std::move(message));
}

StoreStatus CannotOpen(std::u16string_view what, const FileError& error)
{
    std::u16string why(what);
    why += FileErrorReason(error);
    return CannotOpen(why);
}

StoreStatus CannotOpen(std::u16string_view what, int code, const char* step)
{
    FileError error;
    error.code = code;
    error.what = step;
    return CannotOpen(what, error);
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

StoreStatus Refused(std::u16string_view why)
{
    return StoreStatus::Failure(std::u16string(why));
}

// The calendar's own events, not those of a component nested in something else.
std::vector<Appointment> EventsOf(icalcomponent* calendar)
{
    std::vector<Appointment> events;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (auto appointment = ReadEvent(event))
            events.push_back(std::move(*appointment));
    }
    return events;
}

} // namespace

IcsStoreText ReadIcsStore(std::string_view text)
{
    IcsStoreText read;
    const IcalOutline outline = OutlineOf(text);
    if (outline.TooDeep()) {
        read.status = Refused(WithNumber(calendartexts::kFileTooDeep, kMaxIcalDepth));
        return read;
    }
    if (!outline.isText || outline.topLevel == 0 || !SameIcalName(outline.firstName, "VCALENDAR")) {
        read.status = Refused(calendartexts::kFileNotCalendar);
        return read;
    }
    if (outline.topLevel > 1) {
        read.status = Refused(calendartexts::kFileSeveralCalendars);
        return read;
    }
    if (!outline.closed || outline.strayLines) {
        read.status = Refused(calendartexts::kFileNotWhole);
        return read;
    }
    const IcalComponent calendar = ParseIcal(text);
    // With an END that names another component, other programs may see another structure than ours.
    if (outline.mismatchedEnd || !calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT) {
        read.status = Refused(calendartexts::kFileNotCalendar);
        return read;
    }
    read.events = EventsOf(calendar.get());
    // A closed top-level component began on an earlier line, so a line break comes before its end.
    read.insertAt = outline.lastEnd;
    read.lineEnd = text.substr(0, read.insertAt).ends_with("\r\n") ? "\r\n" : "\n";
    return read;
}

std::string NewEventText(const Appointment& appointment, std::string_view lineEnd)
{
    const std::string text = IcalText(MakeEvent(appointment, NewUid()).get());
    if (lineEnd == "\r\n")
        return text;
    std::string changed;
    changed.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "\r\n") == 0) {
            changed += lineEnd;
            ++at;
        } else {
            changed += text[at];
        }
    }
    return changed;
}

IcsFileStore::IcsFileStore(std::string path, std::size_t maxBytes)
    : path_(std::move(path))
    , maxBytes_(maxBytes)
{
}

IcsFileStore::~IcsFileStore()
{
    Release();
}

std::string IcsFileStore::DefaultPath()
{
    return DataHomeFolder() + "/kalendra/calendar.ics";
}

StoreStatus IcsFileStore::Open()
{
    Release();
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    std::error_code made;
    if (!folder.empty())
        std::filesystem::create_directories(folder, made);
    if (made)
        return CannotOpen(calendartexts::kFileCannotOpen, made.value(), "mkdir");
    // The lock is on the file itself. A writer that renamed a new file over it since our open leaves
    // us holding the old one, so the lock only counts once it is on what the path names now.
    for (int attempt = 0; attempt < kLockAttempts && lockFile_ < 0; ++attempt) {
        const int file = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (file < 0)
            return CannotOpen(calendartexts::kFileCannotOpen, errno, "open");
        if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
            const int code = errno;
            ::close(file);
            if (code == EWOULDBLOCK)
                return CannotOpen(calendartexts::kFileLocked);
            return CannotOpen(calendartexts::kFileCannotOpen, code, "flock");
        }
        struct stat opened { };
        struct stat named { };
        if (::fstat(file, &opened) == 0 && ::stat(path_.c_str(), &named) == 0 && opened.st_ino == named.st_ino
            && opened.st_dev == named.st_dev)
            lockFile_ = file;
        else
            ::close(file);
    }
    if (lockFile_ < 0)
        return CannotOpen(calendartexts::kFileLocked);

    Result<std::string, FileError> text = ReadWholeFile(path_, maxBytes_);
    if (!text) {
        Release();
        return CannotOpen(calendartexts::kFileCannotOpen, text.Error());
    }
    // An empty file holds nothing to keep: it becomes an empty calendar.
    text_ = IsBlank(*text) ? IcalText(NewCalendar().get()) : std::move(*text);
    IcsStoreText read = ReadIcsStore(text_);
    if (!read.status.Ok()) {
        Release();
        return CannotOpen(read.status.message);
    }
    known_ = std::move(read.events);
    insertAt_ = read.insertAt;
    lineEnd_ = std::move(read.lineEnd);
    open_ = true;
    return StoreStatus::Success();
}

StoreStatus IcsFileStore::Close()
{
    StoreStatus status;
    if (open_ && !added_.empty()) {
        const std::string_view text = text_;
        const std::string_view parts[] = { text.substr(0, insertAt_), added_, text.substr(insertAt_) };
        FileError error;
        // A file past the bound would be refused by the next Open: what it held would be out of reach.
        if (text.size() + added_.size() > maxBytes_) {
            error.code = EFBIG;
            error.what = "size";
            error.refusal = FileRefusal::TooLarge;
            error.limit = maxBytes_;
        }
        if (error.refusal == FileRefusal::None) {
            if (const FileStatus written = WriteFileAtomically(path_, parts); !written)
                error = written.Error();
        }
        if (error.refusal != FileRefusal::None || error.code != 0) {
            std::u16string message = calendartexts::kFileNotSaved;
            message += u'\n';
            message += FileErrorReason(error);
            status = StoreStatus::Failure(std::move(message));
        }
    }
    Release();
    return status;
}

CalendarStore::Found IcsFileStore::Exists(const Appointment& appointment)
{
    Found found;
    found.exists = std::any_of(known_.begin(), known_.end(),
        [&](const Appointment& existing) { return SameAppointment(existing, appointment); });
    return found;
}

StoreStatus IcsFileStore::Add(const Appointment& appointment)
{
    if (!open_)
        return CannotOpen(calendartexts::kFileCannotOpen);
    added_ += NewEventText(appointment, lineEnd_);
    known_.push_back(appointment);
    return StoreStatus::Success();
}

void IcsFileStore::Release()
{
    open_ = false;
    text_.clear();
    text_.shrink_to_fit();
    added_.clear();
    known_.clear();
    if (lockFile_ >= 0) {
        ::close(lockFile_);
        lockFile_ = -1;
    }
}

} // namespace kal
