#pragma once

#include "ui/DialogResource.h"
#include "ui/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CKalData;
class CKalStore;
class DialogHost;

// Whether an entry dialog fills a fresh entry (which the caller appends to the store on OK) or
// changes a stored one in place.
enum class EntryDialogMode { New, Edit };

// The three layouts each entry dialog comes in; every layout has the same controls and behaviour.
enum class EntryLayout { Wide, Portrait, Small };

// A tall screen is narrow: the portrait layouts' fields ask for less room than the landscape ones.
void NarrowFields(DialogResource& resource);

// Portrait screens (narrower than high) get the tall layout, screens wider than 639 pixels the wide
// one, the rest the small landscape one.
[[nodiscard]] EntryLayout ChooseEntryLayout(Size screen);

// The link-file dialog as the entry dialogs use it: opened with the entry's content (from which it
// proposes a file name) and its current link; the new link on OK, nothing when cancelled.
using LinkFileEditor
    = std::function<std::optional<std::u16string>(std::u16string_view content, std::u16string_view linkFile)>;

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

// The memo button: the memo dialog on the entry's memo, written into the entry at once on OK.
void EditEntryMemo(CKalData& entry);

// The link button: the editor on the content text and the link; true when a new link was taken.
bool EditEntryLink(const LinkFileEditor& editor, std::u16string_view content, std::u16string& linkFile);

// The selection of a list, or `fallback` when nothing is selected.
[[nodiscard]] int SelectionOr(const DialogHost& host, int listId, int fallback);

} // namespace kal
