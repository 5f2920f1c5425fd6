#include "platform/Clipboard.h"

namespace kal {

Clipboard& Clipboard::Current()
{
    if (Clipboard* installed = Installed())
        return *installed;
    static ProcessClipboard process;
    return process;
}

} // namespace kal
