#pragma once

#include "calendar/DTime.h"
#include "ui/DialogHost.h"
#include "ui/DialogResource.h"
#include "ui/Geometry.h"
#include "ui/Ui.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kal {

class CKalData;
class CKalStore;

// Whether an entry dialog fills a fresh entry (which the caller appends to the store on OK) or
// changes a stored one in place.
enum class EntryDialogMode { New, Edit };

// The three layouts each entry dialog comes in; every layout has the same controls and behaviour.
enum class EntryLayout { Wide, Portrait, Small };

// One layout of an entry dialog: its resource id and what adds its controls.
struct EntryLayoutResource {
    int id = 0;
    std::function<void(DialogResource&)> build;
};

// The resource of an entry dialog in `layout`: the caption with the id and controls of that layout.
[[nodiscard]] DialogResource EntryDialogResource(EntryLayout layout, std::u16string_view caption,
    const EntryLayoutResource& wide, const EntryLayoutResource& portrait, const EntryLayoutResource& small);

// A tall screen is narrow: the portrait layouts' fields ask for less room than the landscape ones.
void NarrowFields(DialogResource& resource);

// Portrait screens (narrower than high) get the tall layout, screens wider than 639 pixels the wide
// one, the rest the small landscape one.
[[nodiscard]] EntryLayout ChooseEntryLayout(Size screen);

// The link-file dialog as the entry dialogs use it: opened with the entry's content (from which it
// proposes a file name) and its current link; the new link on OK, nothing when cancelled.
using LinkFileEditor
    = std::function<std::optional<std::u16string>(std::u16string_view content, std::u16string_view linkFile)>;

// Told when the memo, alarm or avoid-day button of an entry dialog took a new value: these are
// written at once and stay when the dialog is then cancelled. `entry` is the dialog's entry with the
// new value; `name` names the change.
using WrittenAtOnce = std::function<void(const CKalData& entry, std::u16string_view name)>;

// The genre list of an entry dialog with a colour swatch per genre, and the entry's colour shown on
// the colour button. Choosing a genre replaces the colour with the genre's own.
class EntryColour {
public:
    EntryColour(const CKalStore& store, int genreListId, int colourButtonId);

    void Show(DialogHost& host, int genre, Colour colour);
    void OnGenreChosen(DialogHost& host);
    // The colour chooser on the current colour; true when a colour was taken.
    bool Choose(DialogHost& host);

    // The chosen genre; `fallback` when the list has no selection (an entry whose genre the list
    // lacks keeps it rather than getting -1).
    [[nodiscard]] int Genre(const DialogHost& host, int fallback) const;
    [[nodiscard]] Colour Value() const { return colour_; }

    // The colour of the genre at `index`, or nothing when there is no such genre.
    [[nodiscard]] std::optional<Colour> GenreColour(int index) const;

private:
    void ShowColour(DialogHost& host) const;

    const CKalStore& store_;
    int genreListId_;
    int colourButtonId_;
    Colour colour_ = 0;
};

// Adds controls to a dialog resource on its grid, so that a layout reads as a list of rows.
class LayoutBuilder {
public:
    explicit LayoutBuilder(DialogResource& resource)
        : controls_(resource.controls)
    {
    }
    void Label(std::u16string_view text, int row, int column, int columnSpan = 1);
    void Control(int id, ControlKind kind, int row, int column, int columnSpan = 1,
        std::vector<std::u16string> items = {}, std::u16string_view text = {});
    void Button(int id, std::u16string_view text, int row, int column, int columnSpan = 1);
    void Check(int id, std::u16string_view text, int row, int column, int columnSpan = 1);
    void Number(int id, NumberRule rule, int row, int column, int columnSpan = 1);
    // The dialog's OK and cancel buttons, which go to its button row.
    void OkCancel(int row, std::u16string_view ok, std::u16string_view cancel);

private:
    std::vector<ControlResource>& controls_;
};

// The memo button: the memo dialog on the entry's memo, written into the entry at once on OK. True
// when the memo was taken.
bool EditEntryMemo(CKalData& entry);

// The link button: the editor on the content text and the link; true when a new link was taken.
bool EditEntryLink(const LinkFileEditor& editor, std::u16string_view content, std::u16string& linkFile);

// The selection of a list, or `fallback` when nothing is selected.
[[nodiscard]] int SelectionOr(const DialogHost& host, int listId, int fallback);

// The controls every entry dialog has, by the dialog's own ids.
struct EntryControlIds {
    int content = 0;
    int genre = 0;
    int colour = 0;
    int link = 0;
    int memo = 0;
};

// What the schedule and the to-do dialogs share: the entry they edit, the day they were opened for,
// and the genre list, colour, link and memo controls, which behave alike in both.
class EntryDialog : public DialogLogic {
public:
    [[nodiscard]] const DialogResource& Resource() const final { return resource_; }

protected:
    EntryDialog(DialogResource resource, EntryControlIds ids, CKalStore& store, CKalData& entry, CDTime day,
        EntryDialogMode mode, LinkFileEditor linkEditor, WrittenAtOnce writtenAtOnce);

    // A new entry shows `newEntryGenre` with that genre's colour (the entry's own colour when there is
    // no such genre) and no link; a stored one shows its own genre, colour and link.
    void ShowGenreColourLink(DialogHost& host, int newEntryGenre);
    // Enables the link button only where there is a link editor and starts typing in the content.
    void EnableLinkAndFocusContent(DialogHost& host);
    // Choosing a genre, the colour, link and memo buttons. True when the notification was one of these.
    bool OnSharedControl(DialogHost& host, int id, Notification notification);
    // Writes the chosen genre, colour and link into `target`, the copy OK fills.
    void WriteGenreColourLink(const DialogHost& host, CKalData& target) const;
    // OK's writing: `read` fills a copy of the entry from the controls and returns false when a check
    // refuses; only a copy that every check accepted replaces the entry. A refused OK followed by
    // cancel thus leaves the entry as it was, with only what the memo, alarm and avoid-day buttons
    // wrote at once.
    [[nodiscard]] bool WriteIfAccepted(const std::function<bool(CKalData&)>& read);
    // After a button wrote into the entry at once.
    void TellWrittenAtOnce(std::u16string_view name) const;

    CKalStore& store_;
    CKalData& entry_;
    CDTime day_;
    EntryDialogMode mode_;

private:
    DialogResource resource_;
    EntryControlIds ids_;
    LinkFileEditor linkEditor_;
    WrittenAtOnce writtenAtOnce_;
    EntryColour colour_;
    std::u16string linkFile_;
};

// Runs an entry dialog in the layout that fits the screen on `entry`, which is the caller's own copy
// (a fresh entry, or a copy of the stored one). True when OK wrote it.
template <typename Dialog>
bool RunEntryDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, LinkFileEditor linkEditor,
    WrittenAtOnce writtenAtOnce)
{
    Dialog dialog(store, entry, day, mode, ChooseEntryLayout(Ui::Current().ScreenSize()), std::move(linkEditor),
        std::move(writtenAtOnce));
    return Ui::Current().RunDialog(dialog) == kIdOk;
}

} // namespace kal
