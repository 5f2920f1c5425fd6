#include "dialogs/EntryDialogParts.h"

#include "dialogs/MemoDialog.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "ui/DialogHost.h"
#include "views/ColourChooser.h"

namespace kal {

DialogResource EntryDialogResource(EntryLayout layout, std::u16string_view caption, const EntryLayoutResource& wide,
    const EntryLayoutResource& portrait, const EntryLayoutResource& small)
{
    const EntryLayoutResource* chosen = &wide;
    if (layout == EntryLayout::Portrait)
        chosen = &portrait;
    else if (layout == EntryLayout::Small)
        chosen = &small;
    DialogResource resource;
    resource.id = chosen->id;
    resource.caption = caption;
    chosen->build(resource);
    return resource;
}

EntryLayout ChooseEntryLayout(Size screen)
{
    if (screen.width < screen.height)
        return EntryLayout::Portrait;
    if (screen.width > 639)
        return EntryLayout::Wide;
    return EntryLayout::Small;
}

EntryColour::EntryColour(const CKalStore& store, int genreListId, int colourButtonId)
    : store_(store)
    , genreListId_(genreListId)
    , colourButtonId_(colourButtonId)
{
}

void EntryColour::Show(DialogHost& host, int genre, Colour colour)
{
    const CKalFieldArray& genres = store_.genres;
    std::vector<Colour> swatches;
    for (int i = 0; i < genres.Count(); ++i)
        swatches.push_back(genres.At(i)->colour);
    host.SetItems(genreListId_, genres.Names());
    host.SetItemColours(genreListId_, swatches);
    host.SetSelection(genreListId_, genre);
    colour_ = colour;
    ShowColour(host);
}

void EntryColour::OnGenreChosen(DialogHost& host)
{
    if (const std::optional<Colour> colour = GenreColour(host.Selection(genreListId_))) {
        colour_ = *colour;
        ShowColour(host);
    }
}

bool EntryColour::Choose(DialogHost& host)
{
    const std::optional<Colour> chosen = ChooseColour(colour_);
    if (!chosen)
        return false;
    colour_ = *chosen;
    ShowColour(host);
    return true;
}

int EntryColour::Genre(const DialogHost& host, int fallback) const
{
    return SelectionOr(host, genreListId_, fallback);
}

std::optional<Colour> EntryColour::GenreColour(int index) const
{
    const CKalField* genre = store_.genres.At(index);
    if (!genre)
        return std::nullopt;
    return genre->colour;
}

void EntryColour::ShowColour(DialogHost& host) const
{
    host.SetColour(colourButtonId_, colour_);
}

void LayoutBuilder::Label(std::u16string_view text, int row, int column, int columnSpan)
{
    controls_.push_back({ 0, ControlKind::Label, std::u16string(text), {}, row, column, 1, columnSpan });
}

void LayoutBuilder::Control(int id, ControlKind kind, int row, int column, int columnSpan,
    std::vector<std::u16string> items, std::u16string_view text)
{
    controls_.push_back({ id, kind, std::u16string(text), std::move(items), row, column, 1, columnSpan });
}

void LayoutBuilder::Button(int id, std::u16string_view text, int row, int column, int columnSpan)
{
    Control(id, ControlKind::PushButton, row, column, columnSpan, {}, text);
}

void LayoutBuilder::Check(int id, std::u16string_view text, int row, int column, int columnSpan)
{
    Control(id, ControlKind::CheckBox, row, column, columnSpan, {}, text);
}

void LayoutBuilder::Number(int id, NumberRule rule, int row, int column, int columnSpan)
{
    ControlResource control { id, ControlKind::NumberEdit, {}, {}, row, column, 1, columnSpan };
    control.number = rule;
    controls_.push_back(std::move(control));
}

void LayoutBuilder::OkCancel(int row, std::u16string_view ok, std::u16string_view cancel)
{
    Control(kIdOk, ControlKind::DefaultButton, row, 0, 1, {}, ok);
    Control(kIdCancel, ControlKind::PushButton, row, 1, 1, {}, cancel);
}

bool EditEntryMemo(CKalData& entry)
{
    std::optional<std::u16string> memo = AskMemo(entry.memo);
    if (!memo)
        return false;
    entry.memo = std::move(*memo);
    return true;
}

bool EditEntryLink(const LinkFileEditor& editor, std::u16string_view content, std::u16string& linkFile)
{
    if (!editor)
        return false;
    std::optional<std::u16string> link = editor(content, linkFile);
    if (!link)
        return false;
    linkFile = std::move(*link);
    return true;
}

int SelectionOr(const DialogHost& host, int listId, int fallback)
{
    const int selection = host.Selection(listId);
    return selection >= 0 ? selection : fallback;
}

void NarrowFields(DialogResource& resource)
{
    constexpr int kFieldCharacters = 12;
    for (ControlResource& control : resource.controls) {
        if (control.kind == ControlKind::Edit || control.kind == ControlKind::ComboBox
            || control.kind == ControlKind::DropDownList)
            control.cells.width = kFieldCharacters;
    }
}

EntryDialog::EntryDialog(DialogResource resource, EntryControlIds ids, CKalStore& store, CKalData& entry, CDTime day,
    EntryDialogMode mode, LinkFileEditor linkEditor, WrittenAtOnce writtenAtOnce)
    : store_(store)
    , entry_(entry)
    , day_(day)
    , mode_(mode)
    , resource_(std::move(resource))
    , ids_(ids)
    , linkEditor_(std::move(linkEditor))
    , writtenAtOnce_(std::move(writtenAtOnce))
    , colour_(store, ids.genre, ids.colour)
{
}

void EntryDialog::ShowGenreColourLink(DialogHost& host, int newEntryGenre)
{
    if (mode_ == EntryDialogMode::New) {
        colour_.Show(host, newEntryGenre, colour_.GenreColour(newEntryGenre).value_or(entry_.colour));
        linkFile_.clear();
    } else {
        colour_.Show(host, entry_.genre, entry_.colour);
        linkFile_ = entry_.linkFile;
    }
}

void EntryDialog::EnableLinkAndFocusContent(DialogHost& host)
{
    host.Enable(ids_.link, static_cast<bool>(linkEditor_));
    host.SetFocus(ids_.content);
}

bool EntryDialog::OnSharedControl(DialogHost& host, int id, Notification notification)
{
    if (id == ids_.genre && notification == Notification::SelectionChanged) {
        colour_.OnGenreChosen(host);
        return true;
    }
    if (notification != Notification::Clicked)
        return false;
    if (id == ids_.colour)
        colour_.Choose(host);
    else if (id == ids_.link)
        EditEntryLink(linkEditor_, host.Text(ids_.content), linkFile_);
    else if (id == ids_.memo) {
        if (EditEntryMemo(entry_))
            TellWrittenAtOnce(opname::kMemo);
    } else
        return false;
    return true;
}

void EntryDialog::WriteGenreColourLink(const DialogHost& host, CKalData& target) const
{
    target.colour = colour_.Value();
    target.linkFile = linkFile_;
    target.genre = colour_.Genre(host, target.genre);
}

void EntryDialog::TellWrittenAtOnce(std::u16string_view name) const
{
    if (writtenAtOnce_)
        writtenAtOnce_(entry_, name);
}

bool EntryDialog::WriteIfAccepted(const std::function<bool(CKalData&)>& read)
{
    // Assigned rather than copy-constructed: the copy constructor takes the alarm mode from the
    // settings, and the entry must come back with its own.
    CKalData edited;
    edited = entry_;
    if (!read(edited))
        return false;
    entry_ = edited;
    return true;
}

} // namespace kal
