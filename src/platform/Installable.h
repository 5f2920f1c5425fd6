#pragma once

#include <utility>

namespace kal {

// A process-wide service with a default of its own that tests (or a front end) can replace: the
// class's Current() gives the installed instance when there is one.
template <typename Interface> class Installable {
public:
    // Makes `instance` the current one (nullptr returns to the default); gives the previous one.
    static Interface* Install(Interface* instance) { return std::exchange(installed_, instance); }

protected:
    [[nodiscard]] static Interface* Installed() { return installed_; }

private:
    static inline Interface* installed_ = nullptr;
};

} // namespace kal
