#pragma once

#include "ui/CustomControl.h"
#include "ui/LogFont.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kal {

// The folders of the file system as a tree under one root item, listed as the user opens them: an
// item's subfolders are read when it is first expanded, and each of them is only probed for having
// subfolders of its own, so a folder with thousands of children costs nothing until it is opened.
// Hidden folders (names starting with ".") are left out; names are in case-insensitive order.
class FolderTree final : public CustomControl {
public:
    static constexpr int kNone = -1;
    static constexpr int kRoot = 0;

    // `rootName` is the root item's label; it stands for the folder `rootPath` ("/" by default).
    explicit FolderTree(std::u16string rootName, std::string rootPath = "/");

    // Starts again: the root, its subfolders listed, expanded and selected.
    void Reset();
    // Reads the item's subfolders again (after a folder was made in it); it stays expanded.
    void Relist(int item);
    void Expand(int item);
    void Collapse(int item);
    // Selects the folder at `path` (an absolute path), expanding the items on the way; names compare
    // without regard to case. False, with the selection unchanged, when a component is not found.
    bool SelectPath(const std::string& path);
    void Select(int item);

    [[nodiscard]] int Selected() const { return selected_; }
    // The folder an item stands for; the root's is the root path.
    [[nodiscard]] std::string PathOf(int item) const;
    [[nodiscard]] const std::u16string& NameOf(int item) const { return items_[Index(item)].name; }
    // The items that can be seen, in the order shown: an item's children follow it when it is expanded.
    [[nodiscard]] std::vector<int> VisibleItems() const;
    [[nodiscard]] bool IsExpanded(int item) const { return items_[Index(item)].expanded; }
    // Whether the item shows an expand box: it has subfolders, listed or not.
    [[nodiscard]] bool HasChildren(int item) const;
    // The child of `item` named `name` (case-insensitive), or kNone; lists the item first when needed.
    [[nodiscard]] int ChildNamed(int item, std::u16string_view name);

    // Rows from the first shown: the number of visible items, the first one drawn and how many fit
    // (known once drawn).
    [[nodiscard]] int RowCount() const { return static_cast<int>(VisibleItems().size()); }
    [[nodiscard]] int TopRow() const { return topRow_; }
    [[nodiscard]] int RowsShown() const { return rowsShown_; }
    // Shows the rows from `top` on, whatever is selected.
    void ScrollTo(int top);

    // Called on a double tap on an item: the user chose the selected folder.
    std::function<void()> onChosen;
    // Called after a drawing that moved the rows or changed how many there are.
    std::function<void()> onScrolled;

    void OnDraw(Canvas& canvas, Size size) override;
    void OnMouseDown(Point point, Size size) override;
    void OnDoubleClick(Point point, Size size) override;
    bool OnKey(Key key, unsigned modifiers) override;

private:
    struct Item {
        std::u16string name;
        int parent = kNone;
        int depth = 0;
        bool expanded = false;
        bool listed = false;
        bool mayHaveChildren = false; // probed before listing
        std::vector<int> children;
    };

    static std::size_t Index(int item) { return static_cast<std::size_t>(item); }
    void List(int item);
    void AddVisible(int item, std::vector<int>& out) const;
    [[nodiscard]] int RowHeight(Canvas& canvas) const;
    [[nodiscard]] int ItemAt(Point point, Size size) const;
    void KeepSelectedInView(int rows);
    void Changed();

    std::u16string rootName_;
    std::string rootPath_;
    std::vector<Item> items_;
    int selected_ = kRoot;
    int topRow_ = 0;
    int rowsShown_ = 1;
    bool followSelection_ = true; // the next drawing scrolls the selection into view
    std::array<int, 3> reported_ { -1, -1, -1 }; // top, row count and rows shown last told
    int rowHeight_ = 18;
    LogFont font_;
};

} // namespace kal
