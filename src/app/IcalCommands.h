#pragma once

#include "store/StoreOperation.h"

#include <optional>
#include <string>

namespace kal {

class CKalStore;

// The document's iCalendar commands. Each asks for what it needs, does it, and tells the user what
// came of it, including what the other format could not say exactly.

// Writes a period's entries, or the whole file's, to an iCalendar file. `schedulePath` is the
// schedule file's own path (empty for one never saved): its name goes into the UIDs.
void ExportIcalendar(const CKalStore& store, const std::string& schedulePath);
// Asks for an iCalendar file and reads it: the change that adds its entries to the store, nothing
// when the user cancelled, the file could not be read (the user has been told) or it added nothing.
[[nodiscard]] std::optional<StoreOperation> ImportIcalendar(const CKalStore& store, const std::string& schedulePath);

} // namespace kal
