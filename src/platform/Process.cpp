#include "platform/Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kal {

bool RunProgram(const std::vector<std::string>& command, ProcessWait wait)
{
    if (command.empty())
        return false;
    // A program left running is started by a shell that puts it in the background and ends at once:
    // waiting for the shell reaps it, and the program is handed to init.
    std::vector<std::string> line;
    if (wait == ProcessWait::LeaveRunning)
        line = { "/bin/sh", "-c", "\"$@\" &", "sh" };
    line.insert(line.end(), command.begin(), command.end());
    std::vector<char*> arguments;
    for (std::string& argument : line)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const bool started = posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started)
        return false;
    int status = 0;
    if (::waitpid(child, &status, 0) < 0)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace kal
