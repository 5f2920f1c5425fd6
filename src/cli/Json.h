#pragma once

#include <cstdio>
#include <string_view>

namespace kal {

// The JSON string literal of `text`, quotes included, written to `out` piece by piece so a text of
// megabytes is never copied whole. Besides what JSON requires, the characters that could upset a
// terminal the output is shown on (DEL, C1 controls, the line and paragraph separators, the
// bidirectional controls) are written as \u escapes.
void PutJsonString(std::FILE* out, std::u16string_view text);

} // namespace kal
