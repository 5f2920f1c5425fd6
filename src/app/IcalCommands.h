#pragma once

#include "calstore/IcalExport.h"
#include "calstore/IcalImport.h"
#include "store/StoreOperation.h"

#include <optional>
#include <string>

namespace kal {

class CKalSettings;
class CKalStore;

// The export's options as the user's settings choose them (the hour untimed alarms ring, which
// generated holidays the views show), for the schedule file at `schedulePath`.
[[nodiscard]] IcalExportOptions IcalExportOptionsFor(const CKalSettings& settings, const std::string& schedulePath);
// The import's options likewise: the holidays the target's views work out for themselves.
[[nodiscard]] IcalImportOptions IcalImportOptionsFor(const CKalSettings& settings, const std::string& schedulePath);

// The document's iCalendar commands. Each asks for what it needs, does it, and tells the user what
// came of it, including what the other format could not say exactly.

// Writes a period's entries, or the whole file's, to an iCalendar file. `schedulePath` is the
// schedule file's own path (empty for one never saved): its name goes into the UIDs.
void ExportIcalendar(const CKalStore& store, const std::string& schedulePath);
// Asks for an iCalendar file and reads it: the change that adds its entries to the store, nothing
// when the user cancelled, the file could not be read (the user has been told) or it added nothing.
[[nodiscard]] std::optional<StoreOperation> ImportIcalendar(const CKalStore& store, const std::string& schedulePath);

} // namespace kal
