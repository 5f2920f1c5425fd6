#include "dialogs/FolderTree.h"

#include "platform/FileIo.h"
#include "platform/Text.h"
#include "ui/Canvas.h"

#include <algorithm>
#include <cwctype>
#include <dirent.h>
#include <sys/stat.h>

namespace kal {

namespace {

constexpr int kIndent = 16;
constexpr int kBox = 9;
constexpr Colour kText = 0x000000;
constexpr Colour kWindow = 0xFFFFFF;
constexpr Colour kHighlight = 0xD77800; // the desktop's usual selection blue, as 0x00BBGGRR
constexpr Colour kLines = 0x808080;

bool IsFolder(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The visible subfolders of `folder`; with `firstOnly`, stops at the first one found.
std::vector<std::string> Subfolders(const std::string& folder, bool firstOnly)
{
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        const bool folderEntry = entry->d_type == DT_DIR
            || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) && IsFolder(JoinPath(folder, name)));
        if (!folderEntry)
            continue;
        names.push_back(name);
        if (firstOnly)
            break;
    }
    ::closedir(listing);
    return names;
}

std::u16string Folded(std::u16string_view text)
{
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = static_cast<char16_t>(std::towlower(c));
    return folded;
}

} // namespace

FolderTree::FolderTree(std::u16string rootName, std::string rootPath)
    : rootName_(std::move(rootName))
    , rootPath_(std::move(rootPath))
    , font_ { u"ＭＳ Ｐゴシック", 9, 400, 0, 0, 128, 0 }
{
    Reset();
}

void FolderTree::Reset()
{
    items_.clear();
    items_.push_back(Item { rootName_, kNone, 0, false, false, true, {} });
    selected_ = kRoot;
    topRow_ = 0;
    Expand(kRoot);
}

void FolderTree::List(int item)
{
    const std::string folder = PathOf(item);
    std::vector<std::string> names = Subfolders(folder, false);
    std::sort(names.begin(), names.end(),
        [](const std::string& a, const std::string& b) { return Folded(FromUtf8(a)) < Folded(FromUtf8(b)); });
    Item& parent = items_[Index(item)];
    parent.children.clear();
    parent.listed = true;
    parent.mayHaveChildren = !names.empty();
    const int depth = parent.depth + 1;
    for (const std::string& name : names) {
        const bool deeper = !Subfolders(JoinPath(folder, name), true).empty();
        items_[Index(item)].children.push_back(static_cast<int>(items_.size()));
        items_.push_back(Item { FromUtf8(name), item, depth, false, false, deeper, {} });
    }
}

void FolderTree::Relist(int item)
{
    // The old children stay in the table, unreachable; a tree of one dialog's life never grows much.
    List(item);
    items_[Index(item)].expanded = true;
    selected_ = item;
    Changed();
}

void FolderTree::Expand(int item)
{
    if (!items_[Index(item)].listed)
        List(item);
    items_[Index(item)].expanded = true;
    Changed();
}

void FolderTree::Collapse(int item)
{
    items_[Index(item)].expanded = false;
    // The selection may not hide inside a closed item.
    for (int up = items_[Index(selected_)].parent; up != kNone; up = items_[Index(up)].parent) {
        if (up == item) {
            selected_ = item;
            break;
        }
    }
    Changed();
}

bool FolderTree::HasChildren(int item) const
{
    const Item& it = items_[Index(item)];
    return it.listed ? !it.children.empty() : it.mayHaveChildren;
}

int FolderTree::ChildNamed(int item, std::u16string_view name)
{
    if (!items_[Index(item)].listed)
        List(item);
    const std::u16string wanted = Folded(name);
    for (const int child : items_[Index(item)].children) {
        if (Folded(items_[Index(child)].name) == wanted)
            return child;
    }
    return kNone;
}

bool FolderTree::SelectPath(const std::string& path)
{
    std::string_view rest = path;
    std::string_view root = rootPath_;
    while (root.size() > 1 && root.back() == '/')
        root.remove_suffix(1);
    if (root != "/") {
        if (rest.substr(0, root.size()) != root || (rest.size() > root.size() && rest[root.size()] != '/'))
            return false;
        rest.remove_prefix(root.size());
    }
    int item = kRoot;
    std::vector<int> opened;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view component = rest.substr(0, slash);
        rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
        if (component.empty() || component == ".")
            continue;
        item = ChildNamed(item, FromUtf8(component));
        if (item == kNone)
            return false;
        opened.push_back(items_[Index(item)].parent);
    }
    for (const int parent : opened)
        items_[Index(parent)].expanded = true;
    Select(item);
    return true;
}

void FolderTree::Select(int item)
{
    selected_ = item;
    Changed();
}

void FolderTree::Changed()
{
    followSelection_ = true;
    Invalidate();
}

void FolderTree::ScrollTo(int top)
{
    topRow_ = std::clamp(top, 0, std::max(0, RowCount() - rowsShown_));
    followSelection_ = false;
    Invalidate();
}

std::string FolderTree::PathOf(int item) const
{
    std::vector<std::string> names;
    for (int up = item; up != kRoot && up != kNone; up = items_[Index(up)].parent)
        names.push_back(ToUtf8(items_[Index(up)].name));
    std::string path = rootPath_;
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        path = JoinPath(path, *name);
    return path;
}

void FolderTree::AddVisible(int item, std::vector<int>& out) const
{
    out.push_back(item);
    if (items_[Index(item)].expanded) {
        for (const int child : items_[Index(item)].children)
            AddVisible(child, out);
    }
}

std::vector<int> FolderTree::VisibleItems() const
{
    std::vector<int> visible;
    AddVisible(kRoot, visible);
    return visible;
}

int FolderTree::RowHeight(Canvas& canvas) const
{
    return std::max(canvas.Metrics().height + 4, kBox + 6);
}

void FolderTree::KeepSelectedInView(int rows)
{
    const std::vector<int> visible = VisibleItems();
    const int row = static_cast<int>(std::find(visible.begin(), visible.end(), selected_) - visible.begin());
    if (followSelection_) {
        // An opened item shows as many of its children as fit below it, the item itself staying in view.
        const Item& it = items_[Index(selected_)];
        const int children = it.expanded ? static_cast<int>(it.children.size()) : 0;
        const int last = row + std::min(children, rows - 1);
        if (last >= topRow_ + rows)
            topRow_ = last - rows + 1;
        if (row < topRow_)
            topRow_ = row;
    }
    followSelection_ = false;
    topRow_ = std::clamp(topRow_, 0, std::max(0, static_cast<int>(visible.size()) - rows));
}

void FolderTree::OnDraw(Canvas& canvas, Size size)
{
    canvas.FillRect(Rect { 0, 0, size.width, size.height }, kWindow);
    canvas.SelectFont(font_);
    canvas.SetBackground(BackgroundMode::Transparent, kWindow);
    rowHeight_ = RowHeight(canvas);
    rowsShown_ = std::max(1, (size.height - 2) / rowHeight_);
    KeepSelectedInView(rowsShown_);
    const std::vector<int> visible = VisibleItems();
    if (const std::array<int, 3> now { topRow_, static_cast<int>(visible.size()), rowsShown_ }; now != reported_) {
        reported_ = now;
        if (onScrolled)
            onScrolled();
    }
    int y = 1;
    for (std::size_t row = static_cast<std::size_t>(topRow_); row < visible.size() && y + rowHeight_ <= size.height - 1;
         ++row) {
        const int item = visible[row];
        const Item& it = items_[Index(item)];
        const int x = 4 + it.depth * kIndent;
        const int middle = y + rowHeight_ / 2;
        if (HasChildren(item)) {
            const Rect box { x, middle - kBox / 2, x + kBox, middle - kBox / 2 + kBox };
            canvas.SetPen(kLines, 1);
            canvas.FillRect(box, kWindow);
            canvas.Line(Point { box.left, box.top }, Point { box.right - 1, box.top });
            canvas.Line(Point { box.left, box.bottom - 1 }, Point { box.right - 1, box.bottom - 1 });
            canvas.Line(Point { box.left, box.top }, Point { box.left, box.bottom - 1 });
            canvas.Line(Point { box.right - 1, box.top }, Point { box.right - 1, box.bottom - 1 });
            canvas.SetPen(kText, 1);
            canvas.Line(Point { box.left + 2, middle }, Point { box.right - 3, middle });
            if (!it.expanded)
                canvas.Line(Point { x + kBox / 2, box.top + 2 }, Point { x + kBox / 2, box.bottom - 3 });
        }
        const int textLeft = x + kBox + 6;
        const Size extent = canvas.TextExtent(it.name);
        const Rect label { textLeft - 2, y, std::min(textLeft + extent.width + 2, size.width - 1), y + rowHeight_ };
        const bool selected = item == selected_;
        if (selected)
            canvas.FillRect(label, kHighlight);
        canvas.SetTextColour(selected ? kWindow : kText);
        canvas.DrawText(
            label, it.name, textflag::kLeft | textflag::kVerticalCentre | textflag::kSingleLine | textflag::kNoPrefix);
        y += rowHeight_;
    }
    // The frame last, so that a row cut at the bottom stays inside it.
    canvas.SetPen(kLines, 1);
    canvas.Line(Point { 0, 0 }, Point { size.width - 1, 0 });
    canvas.Line(Point { 0, 0 }, Point { 0, size.height - 1 });
    canvas.Line(Point { size.width - 1, 0 }, Point { size.width - 1, size.height - 1 });
    canvas.Line(Point { 0, size.height - 1 }, Point { size.width - 1, size.height - 1 });
}

int FolderTree::ItemAt(Point point, Size size) const
{
    if (point.y < 1 || point.y >= size.height - 1 || rowHeight_ <= 0)
        return kNone;
    const std::size_t row = static_cast<std::size_t>(topRow_ + (point.y - 1) / rowHeight_);
    const std::vector<int> visible = VisibleItems();
    return row < visible.size() ? visible[row] : kNone;
}

void FolderTree::OnMouseDown(Point point, Size size)
{
    const int item = ItemAt(point, size);
    if (item == kNone)
        return;
    const int x = 4 + items_[Index(item)].depth * kIndent;
    if (HasChildren(item) && point.x >= x - 2 && point.x < x + kBox + 2) {
        if (IsExpanded(item))
            Collapse(item);
        else
            Expand(item);
        return;
    }
    Select(item);
}

void FolderTree::OnDoubleClick(Point point, Size size)
{
    const int item = ItemAt(point, size);
    if (item == kNone)
        return;
    Select(item);
    if (onChosen)
        onChosen();
}

bool FolderTree::OnKey(Key key, unsigned modifiers)
{
    (void)modifiers;
    const std::vector<int> visible = VisibleItems();
    const int row = static_cast<int>(std::find(visible.begin(), visible.end(), selected_) - visible.begin());
    const int last = static_cast<int>(visible.size()) - 1;
    switch (key) {
    case Key::Up:
        Select(visible[static_cast<std::size_t>(std::max(row - 1, 0))]);
        return true;
    case Key::Down:
        Select(visible[static_cast<std::size_t>(std::min(row + 1, last))]);
        return true;
    case Key::Home:
        Select(kRoot);
        return true;
    case Key::End:
        Select(visible[static_cast<std::size_t>(last)]);
        return true;
    case Key::Right:
        if (HasChildren(selected_) && !IsExpanded(selected_))
            Expand(selected_);
        else if (HasChildren(selected_))
            Select(items_[Index(selected_)].children.front());
        return true;
    case Key::Left:
        if (IsExpanded(selected_) && HasChildren(selected_))
            Collapse(selected_);
        else if (items_[Index(selected_)].parent != kNone)
            Select(items_[Index(selected_)].parent);
        return true;
    default:
        return false;
    }
}

} // namespace kal
