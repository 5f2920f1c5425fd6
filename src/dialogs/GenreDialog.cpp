#include "dialogs/GenreDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/GenreEditDialog.h"
#include "dialogs/GenreFileDialog.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/GenreArchive.h"
#include "store/GenreOperations.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "store/StoreOperation.h"
#include "ui/Ui.h"

#include <algorithm>
#include <optional>

namespace kal {

GenreDialog::GenreDialog(CKalStore& store, CKalFieldArray* applicationGenres, StoreEditor* editor)
    : store_(store)
    , applicationGenres_(applicationGenres)
    , editor_(editor)
{
    using namespace genredialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource list { kList, ControlKind::ListBox, {}, {}, 0, 0, 8, 1 };
    list.cells = Size { 22, 12 };
    resource_.controls = {
        list,
        { kAdd, ControlKind::PushButton, kAddText, {}, 0, 1 },
        { kEdit, ControlKind::PushButton, kEditText, {}, 1, 1 },
        { kDelete, ControlKind::PushButton, kDeleteText, {}, 2, 1 },
        { kUp, ControlKind::PushButton, kUpText, {}, 3, 1 },
        { kDown, ControlKind::PushButton, kDownText, {}, 4, 1 },
        { kVisibility, ControlKind::PushButton, kHideText, {}, 5, 1 },
        { kFile, ControlKind::PushButton, kFileText, {}, 6, 1 },
        { kUnify, ControlKind::PushButton, kUnifyText, {}, 7, 1 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kClose, {}, 8, 1 },
    };
}

void GenreDialog::OnInit(DialogHost& host)
{
    Refill(host, 0);
}

void GenreDialog::Refill(DialogHost& host, int select)
{
    using namespace genredialog;
    std::vector<std::u16string> rows;
    std::vector<Colour> colours;
    for (int index = 0; index < store_.genres.Count(); ++index) {
        const CKalField& genre = *store_.genres.At(index);
        rows.push_back(genre.visible != 0 ? genre.name : kHiddenPrefix + genre.name);
        colours.push_back(genre.colour);
    }
    host.SetItems(kList, rows);
    host.SetItemColours(kList, colours);
    const int last = static_cast<int>(rows.size()) - 1;
    host.SetSelection(kList, last < 0 ? -1 : std::clamp(select, 0, last));
    UpdateVisibilityText(host);
}

// The button offers the opposite of what the selected genre is now, whichever way it was selected.
void GenreDialog::UpdateVisibilityText(DialogHost& host)
{
    using namespace genredialog;
    const CKalField* genre = store_.genres.At(host.Selection(kList));
    host.SetText(kVisibility, genre != nullptr && genre->visible == 0 ? kShowText : kHideText);
}

void GenreDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    using namespace genredialog;
    const int selected = host.Selection(kList);
    if (id == kList) {
        if (notification == Notification::SelectionChanged)
            UpdateVisibilityText(host);
        else if (notification == Notification::DoubleClicked)
            Edit(host, selected);
        return;
    }
    if (notification != Notification::Clicked)
        return;
    switch (id) {
    case kAdd:
        Add(host, selected);
        break;
    case kEdit:
        Edit(host, selected);
        break;
    case kDelete:
        Delete(host, selected);
        break;
    case kUp:
        Move(host, selected, -1);
        break;
    case kDown:
        Move(host, selected, 1);
        break;
    case kVisibility:
        ToggleVisible(host, selected);
        break;
    case kUnify:
        Unify(selected);
        break;
    case kFile:
        ChooseFile(host);
        break;
    default:
        break;
    }
}

void GenreDialog::Add(DialogHost& host, int selected)
{
    if (selected < 0)
        return;
    GenreEditDialog edit { CKalField {} };
    if (Ui::Current().RunDialog(edit) != kIdOk)
        return;
    const CKalField added = edit.Genre();
    Change(opname::kAddGenre, [&] {
        store_.genres.Append(added);
        return true;
    });
    Refill(host, selected);
}

void GenreDialog::Edit(DialogHost& host, int selected)
{
    CKalField* genre = store_.genres.At(selected);
    if (genre == nullptr)
        return;
    const Colour oldColour = genre->colour;
    GenreEditDialog edit { *genre };
    if (Ui::Current().RunDialog(edit) != kIdOk)
        return;
    const CKalField edited = edit.Genre();
    Change(opname::kEditGenre, [&] {
        CKalField& stored = *store_.genres.At(selected);
        stored = edited;
        if (stored.colour != oldColour)
            RecolourGenre(store_, selected, oldColour, Recolour::kOldColourOnly);
        return true;
    });
    Refill(host, selected);
}

void GenreDialog::Delete(DialogHost& host, int selected)
{
    using namespace genredialog;
    const CKalField* genre = store_.genres.At(selected);
    if (genre == nullptr)
        return;
    if (selected == 0) {
        Ui::Current().ShowMessage(kGeneralNotDeletable);
        return;
    }
    if (!Ui::Current().AskYesNo(genre->name + kAskDelete))
        return;
    Change(opname::kDeleteGenre, [&] { return DeleteGenre(store_, selected); });
    Refill(host, selected);
}

// Genre 0 stays first: genre 1 cannot move up past it and genre 0 moves nowhere.
void GenreDialog::Move(DialogHost& host, int selected, int direction)
{
    const int target = selected + direction;
    if (selected < 1 || target < 1 || target >= store_.genres.Count())
        return;
    if (!Change(opname::kMoveGenre, [&] { return SwapGenres(store_, selected, target); }))
        return;
    Refill(host, target);
}

void GenreDialog::ToggleVisible(DialogHost& host, int selected)
{
    CKalField* genre = store_.genres.At(selected);
    if (genre == nullptr)
        return;
    Change(opname::kHideGenre, [&] {
        CKalField& stored = *store_.genres.At(selected);
        stored.visible = stored.visible != 0 ? 0 : 1;
        return true;
    });
    Refill(host, selected);
}

void GenreDialog::Unify(int selected)
{
    const CKalField* genre = store_.genres.At(selected);
    if (genre == nullptr || !Ui::Current().AskYesNo(genre->name + genredialog::kAskUnify))
        return;
    const Colour colour = genre->colour;
    Change(opname::kUnifyGenre, [&] { return RecolourGenre(store_, selected, colour, Recolour::kAll) > 0; });
}

bool GenreDialog::Change(std::u16string_view name, const std::function<bool()>& change)
{
    std::optional<GenreChangeRecorder> recorder;
    if (editor_)
        recorder.emplace(store_);
    if (!change())
        return false;
    storeChanged_ = true;
    if (recorder)
        editor_->Apply(recorder->TakeBack(store_, std::u16string(name)));
    return true;
}

void GenreDialog::ChooseFile(DialogHost& host)
{
    using namespace genredialog;
    Profile& profile = Profile::Current();
    GenreFileDialog file { ReadSetting(profile, ProfileTextSetting::FieldFile, u"") };
    if (Ui::Current().RunDialog(file) != kIdOk)
        return;
    WriteSetting(profile, ProfileTextSetting::FieldFile, file.Path());
    const std::string path = ToUtf8(file.Path());
    if (applicationGenres_ == nullptr || !IsReadableFile(path))
        return;
    Result<CKalFieldArray> read = LoadGenreFile(path);
    if (!read)
        Ui::Current().ShowMessage(read.Error().message);
    *applicationGenres_ = std::move(read).ValueOr(GeneralGenreOnly());
    Refill(host, 0);
}

bool EditGenres(CKalStore& store, CKalFieldArray* applicationGenres, StoreEditor* editor)
{
    GenreDialog dialog(store, applicationGenres, editor);
    Ui::Current().RunDialog(dialog);
    return dialog.StoreChanged();
}

} // namespace kal
