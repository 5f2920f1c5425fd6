#pragma once

#include "platform/Installable.h"

#include <string>
#include <string_view>

namespace kal {

// Why a file or an address was not handed to the desktop. A name read from a schedule file is
// somebody else's input: a shared file must never be able to start a program on this machine.
enum class HandOverRefusal {
    None,
    Empty,
    LeadingDash, // would read as an option to the opener
    Program, // a compiled program, or a file named like one
    Script, // a file that starts with "#!", or is named like a script
    Launcher, // a desktop launcher (.desktop, .kdelnk), which names a command to run
    ExecuteBit, // a file anyone may execute
    Scheme, // an address other than http, https, mailto and file
    BadCharacters, // control characters in an address
    MailAttachment, // a mail address that names a file to attach, which would send the file away
    NotAFile, // a folder, FIFO, device or socket: no document, and some would block or run the opener
    Missing, // no file by that name
};

// What the check decided. `target` is what the desktop is given when nothing is refused: an absolute
// path, or the address itself.
struct HandOverCheck {
    HandOverRefusal refusal = HandOverRefusal::None;
    std::string target;
};

// Checks a path or an address before it goes to the desktop. Only a regular file that passes the
// checks, or an address, is let through.
[[nodiscard]] HandOverCheck CheckHandOver(std::u16string_view pathOrAddress);

// The message that tells the user why `pathOrAddress` was not opened.
[[nodiscard]] std::u16string HandOverMessage(HandOverRefusal refusal, std::u16string_view pathOrAddress);

struct HandOverResult {
    HandOverRefusal refusal = HandOverRefusal::None;
    bool started = false; // false also when the opener could not be started
    std::u16string message; // for a refusal: what to tell the user
};

// Hands a file or an address to the program the desktop opens it with.
class Shell : public Installable<Shell> {
public:
    virtual ~Shell() = default;
    // Checks first (CheckHandOver); only what passes reaches Start.
    HandOverResult Open(std::u16string_view pathOrAddress);

    static Shell& Current();

protected:
    // `target` passed the check. False when nothing could be started.
    virtual bool Start(const std::string& target) = 0;
};

// Opens with xdg-open, started directly.
class DesktopShell final : public Shell {
protected:
    bool Start(const std::string& target) override;
};

namespace shelltext {
inline constexpr char16_t kRefusedEmpty[] = u"開くファイルが指定されていません";
inline constexpr char16_t kRefusedLeadingDash[] = u"「-」で始まる名前は開けません：";
inline constexpr char16_t kRefusedProgram[] = u"プログラムはリンクから開けません：";
inline constexpr char16_t kRefusedScript[] = u"スクリプトはリンクから開けません：";
inline constexpr char16_t kRefusedLauncher[] = u"起動用のファイル（.desktop、.kdelnk）はリンクから開けません：";
inline constexpr char16_t kRefusedExecuteBit[] = u"実行できるファイルはリンクから開けません：";
inline constexpr char16_t kRefusedScheme[] = u"http、https、mailto、file 以外のアドレスは開けません：";
inline constexpr char16_t kRefusedCharacters[] = u"アドレスに使えない文字が含まれています：";
inline constexpr char16_t kRefusedMailAttachment[] = u"ファイルを添付するメールアドレスは開けません：";
inline constexpr char16_t kRefusedNotAFile[] = u"フォルダや特殊なファイルはリンクから開けません：";
inline constexpr char16_t kRefusedMissing[] = u"ファイルがありません：";
} // namespace shelltext

} // namespace kal
