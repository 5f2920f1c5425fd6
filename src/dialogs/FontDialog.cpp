#include "dialogs/FontDialog.h"

#include "dialogs/ButtonTexts.h"
#include "platform/Text.h"
#include "ui/Ui.h"

#include <algorithm>
#include <iterator>

namespace kal {

namespace {

constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;
constexpr int kBoldFrom = 600;
constexpr int kMinPoint = 1;
constexpr int kMaxPoint = 500;

int IndexOf(const std::vector<std::u16string>& items, std::u16string_view text)
{
    const auto found = std::find(items.begin(), items.end(), text);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

std::vector<std::u16string> SizeItems()
{
    return { std::begin(fontdialog::kSizes), std::end(fontdialog::kSizes) };
}

} // namespace

FontDialog::FontDialog(std::vector<std::u16string> faces, std::u16string face, int point, bool bold, bool italic)
    : faces_(std::move(faces))
    , face_(std::move(face))
    , point_(point)
    , bold_(bold)
    , italic_(italic)
{
    using namespace fontdialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource faceList { kFaceList, ControlKind::ListBox, {}, {}, 2, 0 };
    faceList.cells = Size { 28, 10 };
    ControlResource sizeList { kSizeList, ControlKind::ListBox, {}, {}, 2, 1 };
    sizeList.cells = Size { 6, 10 };
    ControlResource sizeEdit { kSizeEdit, ControlKind::NumberEdit, {}, {}, 1, 1 };
    sizeEdit.cells = Size { 6, 0 };
    // Any size a font can sensibly be drawn at; 0 or less would make no font at all.
    sizeEdit.number = NumberRule { NumberRule::Sign::Signed, true, kMinPoint, kMaxPoint };
    resource_.controls = {
        { 0, ControlKind::Label, kFaceLabel, {}, 0, 0 },
        { 0, ControlKind::Label, kSizeLabel, {}, 0, 1 },
        { kFaceEdit, ControlKind::Edit, {}, {}, 1, 0 },
        sizeEdit,
        faceList,
        sizeList,
        { kBold, ControlKind::CheckBox, kBoldText, {}, 3, 0 },
        { kItalic, ControlKind::CheckBox, kItalicText, {}, 4, 0 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 5, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 5, 1 },
    };
}

void FontDialog::OnInit(DialogHost& host)
{
    using namespace fontdialog;
    host.SetItems(kFaceList, faces_);
    host.SetSelection(kFaceList, IndexOf(faces_, face_));
    const std::vector<std::u16string> sizes = SizeItems();
    host.SetItems(kSizeList, sizes);
    host.SetSelection(kSizeList, IndexOf(sizes, IntText(point_)));
    host.SetText(kFaceEdit, face_);
    host.SetText(kSizeEdit, IntText(point_));
    host.SetChecked(kBold, bold_);
    host.SetChecked(kItalic, italic_);
}

void FontDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    using namespace fontdialog;
    if (notification != Notification::SelectionChanged)
        return;
    const int chosen = host.Selection(id);
    const std::vector<std::u16string> items = host.Items(id);
    if (chosen < 0 || chosen >= static_cast<int>(items.size()))
        return;
    if (id == kFaceList)
        host.SetText(kFaceEdit, items[static_cast<std::size_t>(chosen)]);
    else if (id == kSizeList)
        host.SetText(kSizeEdit, items[static_cast<std::size_t>(chosen)]);
}

bool FontDialog::OnOk(DialogHost& host)
{
    using namespace fontdialog;
    face_ = host.Text(kFaceEdit);
    point_ = host.Number(kSizeEdit).value_or(point_);
    bold_ = host.IsChecked(kBold);
    italic_ = host.IsChecked(kItalic);
    return true;
}

std::optional<LogFont> AskFont(const LogFont& current)
{
    FontDialog dialog(Ui::Current().FontFamilies(), current.faceName, current.point, current.weight >= kBoldFrom,
        current.italic != 0);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    LogFont chosen = current;
    chosen.faceName = dialog.Face();
    chosen.point = dialog.Point();
    chosen.weight = dialog.Bold() ? kBoldWeight : kNormalWeight;
    chosen.italic = dialog.Italic() ? 1 : 0;
    return chosen;
}

} // namespace kal
