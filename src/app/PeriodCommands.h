#pragma once

#include "calendar/DTime.h"

#include <string>
#include <utility>

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
// The period the export and the calendar add propose (from today for the days the last of them
// spanned), and the span of the period chosen, kept in calendar days for the next one.
[[nodiscard]] std::pair<CDTime, CDTime> ProposedExportPeriod();
void KeepExportSpan(CDTime start, CDTime end);
// Where an export goes: a file name typed without a folder goes to the documents folder, not
// wherever the program was started from.
[[nodiscard]] std::string ExportPath(const std::u16string& typed);
// Reads the entries of a CSV file from the desktop calendar into the store; true when any was added.
bool ImportCsv(CKalStore& store);

} // namespace kal
