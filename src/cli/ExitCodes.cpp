#include "cli/ExitCodes.h"

#include <cstdio>

namespace kal {

int UsageError(const char* usage)
{
    std::fprintf(stderr, "Usage: kalendra-cli %s\n", usage);
    return kUsageError;
}

} // namespace kal
