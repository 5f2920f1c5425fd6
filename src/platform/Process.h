#pragma once

#include <string>
#include <vector>

namespace kal {

enum class ProcessWait { UntilDone, LeaveRunning };

// Runs a program found on the PATH with its arguments, its output discarded; the arguments reach it
// as they are, never through a shell. With LeaveRunning it goes on by itself after we return and is
// never left behind as a zombie. False when it could not be started (or, waited for, did not end
// successfully).
bool RunProgram(const std::vector<std::string>& command, ProcessWait wait);

} // namespace kal
