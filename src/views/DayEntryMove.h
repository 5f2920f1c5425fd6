#pragma once

namespace kal {

struct CMonthCell;
class ViewDocument;

// Moves the entry shown at `row` of a day's list one place up (`direction` -1) or down (+1) by
// exchanging it in the store with its neighbour on that day, and marks the document modified.
// A row or neighbour outside the list changes nothing. Holidays the grid made itself are not in the
// store and do not move: the user is told so and nothing changes. True when the entries were exchanged.
bool MoveDayEntry(ViewDocument& document, const CMonthCell& cell, int row, int direction);

} // namespace kal
