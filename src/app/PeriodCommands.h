#pragma once

namespace kal {

class CKalStore;

// The document's exchange commands. Each asks for what it needs, does it, and tells the user when
// it could not.

// Copies a period's entries to the clipboard as text. The period proposed runs from today for the
// days the last copy spanned.
void CopyPeriodText(CKalStore& store);
// Writes a period's entries to a CSV file for the desktop calendar. The period proposed runs from
// today for the days the last export spanned.
void ExportPeriod(CKalStore& store);
// Reads the entries of a CSV file from the desktop calendar into the store; true when any was added.
bool ImportCsv(CKalStore& store);

} // namespace kal
