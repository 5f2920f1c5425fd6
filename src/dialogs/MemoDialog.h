#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kal {

// The memo dialog ("メモ") on `memo`; the edited text on OK (lines end in CR LF), nothing when
// cancelled.
[[nodiscard]] std::optional<std::u16string> AskMemo(std::u16string_view memo);

} // namespace kal
