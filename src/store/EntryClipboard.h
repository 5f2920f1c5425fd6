#pragma once

#include "calendar/DTime.h"
#include "store/StoreOperation.h"

#include <optional>
#include <string>
#include <string_view>

namespace kal {

class CKalData;
class CKalStore;

// One entry as the clipboard carries it: its schedule-file row, ended with LF, except that the memo's
// line breaks stay CR LF.
[[nodiscard]] std::u16string EntryClipboardText(const CKalData& entry);

// What pasting the clipboard text on `day` does to the store, as an operation not yet applied: a
// schedule-file row (an entry moves its rule to the day; the other row kinds act as they do in a
// file), or any other text without commas as a new entry titled with it. Nothing when the text holds
// nothing to add.
[[nodiscard]] std::optional<StoreOperation> PasteOperation(
    const CKalStore& store, std::u16string_view text, CDTime day);

} // namespace kal
