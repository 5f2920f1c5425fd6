#include "cli/IcsImportCommand.h"
#include "app/IcalCommands.h"
#include "settings/KalSettings.h"

#include "calstore/IcalImport.h"
#include "calstore/IcalTexts.h"
#include "cli/ExchangeCommands.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/TerminalText.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/FileMessage.h"
#include "store/KalStore.h"

#include <cstdio>
#include <filesystem>

namespace kal {

namespace {

constexpr char kImportIcsUsage[] = "import-ics FILE.klx IN.ics";

void Refuse(const std::string& path, const std::u16string& reason)
{
    std::fprintf(stderr, "kalendra-cli: %s: %s\n", TerminalText(path).c_str(), TerminalText(ToUtf8(reason)).c_str());
}

} // namespace

int RunImportIcs(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2 || HasOption(arguments))
        return UsageError(kImportIcsUsage);
    CKalStore& store = CommandStore();
    if (!OpenScheduleFileToChange(store, arguments[0]))
        return kFailed;
    auto text = ReadWholeFile(arguments[1], kMaxIcalImportBytes);
    if (!text) {
        Refuse(arguments[1],
            text.Error().refusal == FileRefusal::TooLarge
                ? WithNumber(icaltexts::kTooLarge, static_cast<long long>(kMaxIcalImportBytes >> 20))
                : FileErrorReason(text.Error()));
        return kFailed;
    }
    const IcalImportOptions options = IcalImportOptionsFor(CKalSettings::Current(), arguments[0]);
    auto imported = ImportIcal(store, *text, options);
    if (!imported) {
        Refuse(arguments[1], imported.Error().message);
        return kFailed;
    }
    if (!imported->operation.Empty()) {
        imported->operation.Apply(store);
        if (SaveScheduleFileFromCli(store, arguments[0]) != 0)
            return kFailed;
    }
    std::printf("%s\n", ToUtf8(ImportReportText(imported->report)).c_str());
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("kalendra-cli: the output could not be written\n", stderr);
        return kFailed;
    }
    return 0;
}

} // namespace kal
