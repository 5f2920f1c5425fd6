#include "platform/Shell.h"

#include "platform/Text.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

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
    const std::string target = ToUtf8(pathOrAddress);
    const char* arguments[] = { "xdg-open", target.c_str(), nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    // The opened program lives on after us; nobody waits for it.
    const bool started
        = posix_spawnp(&child, "xdg-open", &actions, nullptr, const_cast<char* const*>(arguments), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

} // namespace kal
