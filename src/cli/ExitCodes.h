#pragma once

namespace kal {

// What a command ends with besides 0: the work could not be done, or the command line was wrong.
inline constexpr int kFailed = 1;
inline constexpr int kUsageError = 2;

// Tells how the command is written, on standard error, and gives kUsageError.
int UsageError(const char* usage);

} // namespace kal
