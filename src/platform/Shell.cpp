#include "platform/Shell.h"

#include "platform/Process.h"
#include "platform/Text.h"

namespace kal {

Shell& Shell::Current()
{
    if (Shell* installed = Installed())
        return *installed;
    static DesktopShell desktop;
    return desktop;
}

bool DesktopShell::Open(std::u16string_view pathOrAddress)
{
    return RunProgram({ "xdg-open", ToUtf8(pathOrAddress) }, ProcessWait::LeaveRunning);
}

} // namespace kal
