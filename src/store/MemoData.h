#pragma once

#include <string>

namespace kal {

// One memo page of a schedule file.
struct CMemoData {
    std::u16string title; // the tab caption
    std::u16string text; // may hold CR LF line breaks
};

} // namespace kal
