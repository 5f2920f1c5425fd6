#pragma once

#include "ui/DialogHost.h"

#include <string>

namespace kal {

class CKalStore;

namespace memosheet {
inline constexpr int kResourceId = 210;
inline constexpr int kClose = 1036;
inline constexpr int kMemo = 1011;
// The page's caption, and the title of the one page a file without memos shows.
inline constexpr char16_t kCaption[] = u"メモ";
} // namespace memosheet

// One page of the memo notebook: its title on the tab, its text in an edit box that fills the page.
// "閉じる" closes the whole notebook as its OK does.
class CMemoPage final : public DialogLogic {
public:
    CMemoPage(std::u16string title, std::u16string text);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Title() const { return resource_.caption; }
    // The edited text, its lines ending in CR LF as memos are stored.
    [[nodiscard]] const std::u16string& Text() const { return text_; }

private:
    DialogResource resource_;
    std::u16string text_;
};

// The memo notebook over the store's memos: one page per memo in order, or one empty page "メモ" when
// the file has none, opened at the page the file names. On OK every page writes back; the first
// memo of a file is made only when text was typed. True when a memo changed.
bool EditMemos(CKalStore& store);

} // namespace kal
