#pragma once

#include "calendar/DTime.h"
#include "ui/DialogHost.h"

#include <string>
#include <vector>

namespace kal {

class CKalData;
class CKalView;
class ViewDocument;
struct CMonthCell;

namespace daydialog {
inline constexpr int kResourceId = 102;
inline constexpr int kList = 110;
inline constexpr int kAdd = 111;
inline constexpr int kEdit = 112;
inline constexpr int kDelete = 113;
inline constexpr int kCopy = 115;
inline constexpr int kCut = 116;
inline constexpr int kDiary = 117;
inline constexpr int kTodo = 118;
inline constexpr int kDetails = 119;
inline constexpr int kLink = 132;
inline constexpr int kDown = 166;
inline constexpr int kUp = 167;
inline constexpr int kClose = kIdOk;
// The window title: year, month and day of the shown cell.
inline constexpr char16_t kCaptionFormat[] = u"%d年%d月%d日";
inline constexpr char16_t kTitle[] = u"この日のスケジュール";
inline constexpr char16_t kTodoPrefix[] = u"[Todo]";
inline constexpr char16_t kAddText[] = u"追加(&A)...";
inline constexpr char16_t kTodoText[] = u"Todo(&T)";
inline constexpr char16_t kEditText[] = u"修正(&E)...";
inline constexpr char16_t kDeleteText[] = u"削除(&D)";
inline constexpr char16_t kCopyText[] = u"ｺﾋﾟｰ(&C)";
inline constexpr char16_t kCutText[] = u"切取り(&X)";
inline constexpr char16_t kDiaryText[] = u"日記(&N)";
inline constexpr char16_t kLinkText[] = u"ﾘﾝｸ(&F)";
inline constexpr char16_t kDetailsText[] = u"詳細(&M)";
inline constexpr char16_t kUpText[] = u"▲";
inline constexpr char16_t kDownText[] = u"▼";
inline constexpr char16_t kCloseText[] = u"閉じる";
} // namespace daydialog

// One day of the month view in a list, with the entry operations of the day list. Every change goes
// straight to the store; the list is rebuilt from the month view's cell for the day, which the dialog
// has the month view refill after each change.
class DayDialog final : public DialogLogic {
public:
    DayDialog(ViewDocument& document, CKalView& monthView);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnKey(DialogHost& host, Key key, unsigned modifiers) override;

    // Whether anything in the store changed while the dialog was open.
    [[nodiscard]] bool Changed() const { return changed_; }

    // A row of the list: "[Todo]" before a to-do, then the entry's line for `day` in the day list's
    // time display mode.
    [[nodiscard]] static std::u16string RowText(const CKalData& entry, CDTime day);

private:
    // Rebuilds the list from the day's cell and selects `row`, clamped to the last row.
    void Fill(DialogHost& host, int row);
    // The month view's grid again after the store changed, then the list.
    void Refill(DialogHost& host, int row);
    [[nodiscard]] CKalData* SelectedEntry(const DialogHost& host) const;

    enum class EntryKind { Schedule, Todo };
    void Add(DialogHost& host, EntryKind kind);
    void Edit(DialogHost& host);
    void Delete(DialogHost& host);
    void Copy(const DialogHost& host);
    void Cut(DialogHost& host);
    void EditMemo(DialogHost& host);
    void Move(DialogHost& host, int direction);

    ViewDocument& document_;
    CKalView& monthView_;
    DialogResource resource_;
    CMonthCell* cell_ = nullptr;
    bool changed_ = false;
};

// Opens the day dialog on the month view's selected cell; true when anything changed.
bool RunDayDialog(ViewDocument& document, CKalView& monthView);

} // namespace kal
