#include "store/FileMessage.h"

#include "platform/FileIo.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstdint>
#include <string>

namespace kal {

namespace {

// A size the way people read one: whole gigabytes or megabytes where the bound is one, else bytes.
std::u16string SizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t kMega = std::uint64_t(1) << 20;
    constexpr std::uint64_t kGiga = std::uint64_t(1) << 30;
    if (bytes >= kGiga && bytes % kGiga == 0)
        return FromUtf8(std::to_string(bytes / kGiga) + " GB");
    if (bytes >= kMega && bytes % kMega == 0)
        return FromUtf8(std::to_string(bytes / kMega) + " MB");
    return FromUtf8(std::to_string(bytes)) + u" バイト";
}

} // namespace

std::u16string FileErrorReason(const FileError& error)
{
    switch (error.refusal) {
    case FileRefusal::NotRegularFile:
        return texts::kReasonNotRegularFile;
    case FileRefusal::ReadOnlyFile:
        return texts::kReasonReadOnlyFile;
    case FileRefusal::TooLarge:
        return texts::kReasonTooLarge + SizeText(error.limit) + texts::kReasonTooLargeEnd;
    case FileRefusal::None:
        break;
    }
    switch (error.code) {
    case 0:
        return {};
    case EACCES:
    case EPERM:
        return texts::kReasonPermissionDenied;
    case ENOENT:
        return texts::kReasonNotFound;
    case ENOSPC:
    case EDQUOT:
        return texts::kReasonDiskFull;
    case EROFS:
        return texts::kReasonReadOnlyFileSystem;
    case EISDIR:
        return texts::kReasonIsFolder;
    case ENOTDIR:
        return texts::kReasonNotInFolder;
    case ELOOP:
        return texts::kReasonTooManyLinks;
    case ENAMETOOLONG:
        return texts::kReasonNameTooLong;
    case EFBIG:
        return texts::kReasonFileTooLarge;
    case EMFILE:
    case ENFILE:
        return texts::kReasonTooManyOpen;
    case EIO:
        return texts::kReasonInputOutput;
    case EEXIST:
        return texts::kReasonExists;
    case EBUSY:
    case ETXTBSY:
        return texts::kReasonBusy;
    default:
        return texts::kReasonOtherError + FromUtf8(std::to_string(error.code)) + texts::kReasonOtherErrorEnd;
    }
}

Failure FileFailure(const char16_t* message, const std::string& path, const FileError& error)
{
    std::u16string text = message;
    text += u"\n";
    text += FromUtf8(path);
    if (const std::u16string reason = FileErrorReason(error); !reason.empty()) {
        text += u"\n";
        text += reason;
    }
    return Failure { text };
}

} // namespace kal
