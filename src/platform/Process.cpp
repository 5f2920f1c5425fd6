#include "platform/Process.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kal {

namespace {

// The program file a name stands for: a name with a "/" as it is, else the first executable of that
// name on the PATH. Looked up before forking, because after a fork only async-signal-safe calls are
// allowed.
std::string FindProgram(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return name;
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        std::string candidate = folder.empty() ? std::string("./") : std::string(folder) + "/";
        candidate += name;
        struct stat info { };
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            return {};
        folders.remove_prefix(colon + 1);
    }
}

// Starts the program as a grandchild that nobody waits for: the child forks it and ends at once, so
// init adopts it and it never becomes a zombie. No shell sees the arguments. True when the program
// itself started (the grandchild reports a failed exec through a pipe that closes on success).
bool StartDetached(const std::string& program, char* const* arguments)
{
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            const int quiet = ::open("/dev/null", O_RDWR);
            if (quiet >= 0) {
                ::dup2(quiet, STDIN_FILENO);
                ::dup2(quiet, STDOUT_FILENO);
                ::dup2(quiet, STDERR_FILENO);
            }
            ::execve(program.c_str(), arguments, environ);
            const int failure = errno;
            [[maybe_unused]] const ssize_t written = ::write(report[1], &failure, sizeof failure);
            ::_exit(127);
        }
        if (grandchild < 0) {
            const int failure = errno;
            [[maybe_unused]] const ssize_t written = ::write(report[1], &failure, sizeof failure);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    int failure = 0;
    ssize_t got = 0;
    do
        got = ::read(report[0], &failure, sizeof failure);
    while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return got == 0;
}

} // namespace

bool RunProgram(const std::vector<std::string>& command, ProcessWait wait)
{
    if (command.empty())
        return false;
    std::vector<std::string> line = command;
    std::vector<char*> arguments;
    for (std::string& argument : line)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    if (wait == ProcessWait::LeaveRunning) {
        const std::string program = FindProgram(command.front());
        return !program.empty() && StartDetached(program, arguments.data());
    }

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
