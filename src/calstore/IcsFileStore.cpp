#include "calstore/IcsFileStore.h"

#include "calstore/CalendarTexts.h"
#include "platform/FileIo.h"
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

StoreStatus CannotOpen(std::u16string_view what, int code, const char* step)
{
    std::u16string why(what);
    FileError error;
    error.code = code;
    error.what = step;
    why += FileErrorReason(error);
    return CannotOpen(why);
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

IcsFileStore::IcsFileStore(std::string path)
    : path_(std::move(path))
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

    FileError error;
    const std::optional<std::string> text = ReadWholeFile(path_, &error);
    if (!text) {
        Release();
        return CannotOpen(calendartexts::kFileCannotOpen, error.code, "read");
    }
    if (IsBlank(*text)) {
        calendar_ = NewCalendar();
    } else {
        calendar_.reset(icalparser_parse_string(text->c_str()));
        // Anything but one calendar object is left alone: writing ours over it would lose it.
        if (!calendar_ || icalcomponent_isa(calendar_.get()) != ICAL_VCALENDAR_COMPONENT) {
            Release();
            return CannotOpen(calendartexts::kFileNotCalendar);
        }
    }
    changed_ = false;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar_.get(), ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar_.get(), ICAL_VEVENT_COMPONENT)) {
        if (auto appointment = ReadEvent(event))
            known_.push_back(std::move(*appointment));
    }
    return StoreStatus::Success();
}

StoreStatus IcsFileStore::Close()
{
    StoreStatus status;
    if (calendar_ && changed_) {
        FileError error;
        if (!WriteFileAtomically(path_, IcalText(calendar_.get()), &error)) {
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
    if (!calendar_)
        return CannotOpen(calendartexts::kFileCannotOpen);
    icalcomponent_add_component(calendar_.get(), MakeEvent(appointment, NewUid()).release());
    known_.push_back(appointment);
    changed_ = true;
    return StoreStatus::Success();
}

void IcsFileStore::Release()
{
    calendar_.reset();
    known_.clear();
    changed_ = false;
    if (lockFile_ >= 0) {
        ::close(lockFile_);
        lockFile_ = -1;
    }
}

} // namespace kal
