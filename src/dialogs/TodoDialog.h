#pragma once

#include "calendar/DTime.h"
#include "dialogs/EntryDialogParts.h"
#include "ui/DialogHost.h"

namespace kal {

class CKalData;
class CKalStore;

namespace tododialog {
// Resources of the three layouts.
inline constexpr int kWideResource = 105;
inline constexpr int kPortraitResource = 106;
inline constexpr int kSmallResource = 212;

// Controls, the same in every layout.
inline constexpr int kDone = 124;
inline constexpr int kHidden = 123;
inline constexpr int kDeadline = 144;
inline constexpr int kDeadlineButton = 142;
inline constexpr int kShowBefore = 148;
inline constexpr int kDaysBefore = 149;
inline constexpr int kCompletion = 139;
inline constexpr int kCompletionButton = 143;
inline constexpr int kPriority = 125;
inline constexpr int kPlace = 208;
inline constexpr int kContent = 102;
inline constexpr int kGenre = 153;
inline constexpr int kColour = 131;
inline constexpr int kLink = 132;
inline constexpr int kMemo = 1010;

inline constexpr char16_t kCaption[] = u"Todoの入力";

inline constexpr char16_t kDoneLabelWide[] = u"完了チェック(&K)";
inline constexpr char16_t kDoneLabelPortrait[] = u"完了チェック";
inline constexpr char16_t kDoneLabelSmall[] = u"完了(&K)";
inline constexpr char16_t kHiddenLabelWide[] = u"スケジュール画面非表示(&V)";
inline constexpr char16_t kHiddenLabelPortrait[] = u"非表示";
inline constexpr char16_t kHiddenLabelSmall[] = u"非表示(&V)";
inline constexpr char16_t kLinkLabel[] = u"ﾘﾝｸﾌｧｲﾙ(&F)...";
inline constexpr char16_t kLinkLabelSmall[] = u"ﾘﾝｸ(&F)...";
inline constexpr char16_t kDeadlineLabel[] = u"終了期限(&S)";
inline constexpr char16_t kCalendarButton[] = u"ｶﾚﾝﾀﾞｰ";
inline constexpr char16_t kShowBeforeLabel[] = u"期間指定(&D)";
inline constexpr char16_t kDaysBeforeSuffix[] = u"日前から表示";
inline constexpr char16_t kCompletionLabel[] = u"完了日付(&E)";
inline constexpr char16_t kPriorityLabel[] = u"重要度(&P)";
inline constexpr char16_t kPlaceLabel[] = u"場所(&L)";
inline constexpr char16_t kContentLabel[] = u"内容(&T)";
inline constexpr char16_t kGenreLabel[] = u"ジャンル(&J)";
inline constexpr char16_t kColourLabel[] = u"色(&C)...";
inline constexpr char16_t kMemoLabel[] = u"メモ(&M)...";

// The priority list, indexed by CKalData::priority.
inline constexpr const char16_t* kPriorityItems[] = { u"緊急", u"A", u"B", u"C", u"D", u"E" };
inline constexpr int kNewPriority = 1; // "A"

inline constexpr char16_t kBadDate[] = u"正しい日付を入力してください";
} // namespace tododialog

// The dialog resource of a layout.
[[nodiscard]] DialogResource TodoDialogResource(EntryLayout layout);

// The to-do entry dialog. It writes the entry only when OK passes its checks; the memo button changes
// the entry at once.
class TodoDialog final : public EntryDialog {
public:
    // `day` is the day the dialog was opened for; a new to-do's deadline is counted from it.
    // `entry` is a fresh entry for EntryDialogMode::New, a copy of the stored to-do for Edit.
    TodoDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, EntryLayout layout,
        LinkFileEditor linkEditor = {}, WrittenAtOnce writtenAtOnce = {});

    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    [[nodiscard]] bool OnOk(DialogHost& host) override;

private:
    void OnDoneClicked(DialogHost& host);
    // The controls into `edited`; false, with the message shown, when a field is refused.
    [[nodiscard]] bool ReadInto(DialogHost& host, CKalData& edited) const;
};

// Runs the to-do entry dialog in the layout that fits the screen. True when OK wrote the entry. For a
// new to-do the caller appends a copy of `entry` to the store.
bool RunTodoDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, LinkFileEditor linkEditor = {},
    WrittenAtOnce writtenAtOnce = {});

} // namespace kal
