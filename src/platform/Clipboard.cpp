#include "platform/Clipboard.h"

namespace kal {

Clipboard& Clipboard::Current()
{
    if (Clipboard* installed = Installed())
        return *installed;
    static MemoryClipboard process;
    return process;
}

} // namespace kal
