#pragma once

#include "ui/DialogHost.h"

#include <functional>
#include <string_view>

namespace kal {

class CKalFieldArray;
class CKalStore;
class StoreEditor;

namespace genredialog {
inline constexpr int kResourceId = 137;
inline constexpr int kList = 154;
inline constexpr int kAdd = 111;
inline constexpr int kEdit = 112;
inline constexpr int kDelete = 113;
inline constexpr int kUp = 114;
inline constexpr int kDown = 115;
inline constexpr int kFile = 116;
inline constexpr int kVisibility = 117;
inline constexpr int kUnify = 157;
inline constexpr char16_t kCaption[] = u"ジャンル設定";
inline constexpr char16_t kAddText[] = u"追加(&A)...";
inline constexpr char16_t kEditText[] = u"修正(&E)...";
inline constexpr char16_t kDeleteText[] = u"削除(&D)...";
inline constexpr char16_t kUpText[] = u"↑(&U)";
inline constexpr char16_t kDownText[] = u"↓(&O)";
inline constexpr char16_t kHideText[] = u"非表示(&V)";
inline constexpr char16_t kShowText[] = u"表示(&V)";
inline constexpr char16_t kFileText[] = u"ﾌｧｲﾙ(&F)";
inline constexpr char16_t kUnifyText[] = u"色統一(&C)";
inline constexpr char16_t kHiddenPrefix[] = u"[非表示]";
inline constexpr char16_t kGeneralNotDeletable[] = u"一般フィールドは削除できません";
inline constexpr char16_t kAskDelete[] = u" を削除しますか？";
inline constexpr char16_t kAskUnify[] = u" のスケジュール全ての色をジャンルで指定した色に統一しますか？";
} // namespace genredialog

// The genre list of the open file: add, edit, delete, reorder, hide and show genres, give every
// entry of a genre its genre's colour, and name the program's genre file. Each change reaches the
// store and its entries at once, so the dialog has only a close button and closing undoes nothing;
// given an editor, each change goes to it as an operation of its own, which can be undone later.
class GenreDialog final : public DialogLogic {
public:
    // `applicationGenres` is the program's own list, read again from a newly named genre file; null
    // keeps the name only.
    GenreDialog(CKalStore& store, CKalFieldArray* applicationGenres, StoreEditor* editor = nullptr);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;

    // True once the store was changed, so that the file is saved and the views drawn again.
    [[nodiscard]] bool StoreChanged() const { return storeChanged_; }

private:
    void Refill(DialogHost& host, int select);
    void UpdateVisibilityText(DialogHost& host);
    void Add(DialogHost& host, int selected);
    void Edit(DialogHost& host, int selected);
    void Delete(DialogHost& host, int selected);
    void Move(DialogHost& host, int selected, int direction);
    void ToggleVisible(DialogHost& host, int selected);
    void Unify(int selected);
    void ChooseFile(DialogHost& host);
    // Makes a change of the store in place; with an editor, it then reaches the store through the
    // editor instead, as the operation `name`. True when `change` changed anything.
    bool Change(std::u16string_view name, const std::function<bool()>& change);

    DialogResource resource_;
    CKalStore& store_;
    CKalFieldArray* applicationGenres_;
    StoreEditor* editor_;
    bool storeChanged_ = false;
};

// Runs the genre dialog on `store`; true when the store was changed.
bool EditGenres(CKalStore& store, CKalFieldArray* applicationGenres, StoreEditor* editor = nullptr);

} // namespace kal
