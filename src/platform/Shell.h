#pragma once

#include "platform/Installable.h"

#include <string_view>

namespace kal {

// Hands a file or an address to the program the desktop opens it with.
class Shell : public Installable<Shell> {
public:
    virtual ~Shell() = default;
    // False when nothing could be started.
    virtual bool Open(std::u16string_view pathOrAddress) = 0;

    static Shell& Current();
};

// Opens with xdg-open.
class DesktopShell final : public Shell {
public:
    bool Open(std::u16string_view pathOrAddress) override;
};

} // namespace kal
