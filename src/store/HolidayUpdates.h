#pragma once

namespace kal {

class CKalStore;

// Brings the holiday entries of a store up to the law of 2003: Respect for the Aged Day and Marine
// Day end their fixed dates after 2002 and come back as third Mondays. Does nothing to a store that
// already has the Monday rule. True when the store was changed.
bool ApplyHolidayUpdate2003(CKalStore& store);

// Brings them up to the law of 2007: April 29 becomes Showa Day and Greenery Day moves to May 4.
// Does nothing to a store that already has Showa Day. True when the store was changed.
bool ApplyHolidayUpdate2007(CKalStore& store);

} // namespace kal
