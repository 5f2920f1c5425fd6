#pragma once

#include "calendar/DTime.h"
#include "store/StoreOperation.h"

#include <array>
#include <string_view>

namespace kal {

class CKalData;
class CKalStore;
class CKalView;
class ViewDialogs;

// The three ways of searching: asking for the conditions and finding the first match, or stepping
// to the next or previous match.
enum class SearchStep { First, Next, Previous };
struct SearchOutcome {
    bool ran = false; // false when the conditions were not given
    CKalData* found = nullptr;
    CDTime day; // the day `found` shows on that the search reached
};

// Something that shows the document and follows its update hints.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // `hint` is a set of hint bits (ui/UpdateHints.h); `entry` is the entry the hint names, if any.
    virtual void OnUpdate(int hint, const CKalData* entry) = 0;
    // The document was replaced (new, open, reload): start again as when the view was first shown.
    virtual void OnInitialUpdate() = 0;
    // After an undo or redo: show the day it touched and select the entry, when there is one.
    virtual void ShowTouched(CDTime /*day*/, const CKalData* /*entry*/) { }
};

// What a drop of an entry on another day does: moves it there, or (with Ctrl held) copies it.
enum class DropAction { Move, Copy };

// What the views need of the document: its store, the selected day, and the operations that change
// entries and tell every view. Every change goes through Apply, which keeps it for undo.
class ViewDocument : public StoreEditor {
public:
    [[nodiscard]] virtual CKalStore& Store() = 0;
    [[nodiscard]] const CKalStore& Store() const override = 0;
    [[nodiscard]] virtual CDTime CurrentDate() const = 0;
    virtual void SetCurrentDate(CDTime date) = 0;
    // Grid column -> weekday (0 = Sunday).
    [[nodiscard]] virtual const std::array<int, 7>& WeekOrder() const = 0;
    // Recomputes the column order after the week-start setting changed.
    virtual void UpdateWeekOrder() = 0;
    virtual void UpdateAllViews(int hint, const CKalData* entry = nullptr) = 0;
    // Takes a stored entry out of the store, as the change `name` (a cut, for one).
    virtual void RemoveEntry(CKalData* entry, std::u16string_view name) = 0;
    virtual bool DeleteEntry(CKalData* entry, CDTime day) = 0;
    // Puts the entry as seen on `day` on the clipboard and takes it out of the store (for a repeating
    // one, the days the user chooses); true when the store changed.
    virtual bool CutEntry(CKalData* entry, CDTime day) = 0;
    // Moves or copies the entry as seen on `from` to the day `to`, keeping its times and its span of
    // days; moving one day of a repeating entry asks which days move. True when the store changed.
    virtual bool DropEntry(CKalData* entry, CDTime from, CDTime to, DropAction action) = 0;
    // Adds the clipboard's entry (or text) on `day`; true when the store changed.
    virtual bool Paste(CDTime day) = 0;
    // The schedule entry dialog for a new schedule on `day`; true when one was added.
    virtual bool AddSchedule(CDTime day) = 0;
    // The to-do entry dialog for a new to-do on `day`; the stored new to-do, or null when cancelled.
    virtual CKalData* AddTodo(CDTime day) = 0;
    // The schedule or to-do dialog on a copy of the stored entry, as seen on `day`; true when OK changed
    // it. The memo, alarm and avoid-day buttons change the stored entry at once, each as a change of
    // its own.
    virtual bool EditEntry(CKalData* entry, CDTime day) = 0;
    // The memo dialog on the entry's memo; true when OK replaced it.
    virtual bool EditMemo(CKalData* entry) = 0;
    // The continuous-copy dialog for `entry`; on OK the copies are appended to the store. True when
    // any copy was added.
    virtual bool CopyContinuously(const CKalData& entry) = 0;
    // Adds the schedule `entry` as seen on `day` to the user's calendar store and tells the user how it
    // went; true when it was added.
    virtual bool AddToCalendar(const CKalData& entry, CDTime day) = 0;
    // Opens the entry's link file or address, first asking for a link when it has none; true when the
    // entry's link changed.
    virtual bool OpenLinkFile(CKalData* entry) = 0;
    // The day dialog on the month view's selected cell; true when anything in the store changed.
    virtual bool ShowDay(CKalView& monthView) = 0;
    // Searches the days on which entries show, from the current date: the first search from that day
    // on, the next and previous ones from the day after or before it.
    virtual SearchOutcome Search(SearchStep step) = 0;
    // The other questions the views ask.
    [[nodiscard]] virtual ViewDialogs& Dialogs() = 0;
};

} // namespace kal
