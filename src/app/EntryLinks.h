#pragma once

#include <string>

namespace kal {

class CKalData;

// Opens the entry's link file or address on the desktop. An entry without a link is first given one
// (the link-settings dialog, proposing a name made from its content); a missing link file may be
// created with the content as its first line. `schedulePath` is the open schedule file ("" when it
// was never saved). True when the entry's link was changed.
bool OpenEntryLink(CKalData& entry, const std::string& schedulePath);

} // namespace kal
