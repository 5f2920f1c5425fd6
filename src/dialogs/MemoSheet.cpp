#include "dialogs/MemoSheet.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/MemoDialog.h"
#include "store/KalStore.h"
#include "ui/PropertySheet.h"
#include "ui/Ui.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace kal {

namespace {

using namespace memosheet;

// A page of text a reader can take in without scrolling on a desktop screen.
constexpr Size kMemoCells { 64, 20 };

// Writes the pages back into the store's memos; true when anything changed.
bool WriteBack(CKalStore& store, const std::vector<std::unique_ptr<CMemoPage>>& pages)
{
    bool changed = false;
    for (std::size_t c = 0; c < pages.size(); ++c) {
        const CMemoPage& page = *pages[c];
        if (store.memos.empty()) {
            // An untouched empty page of a file without memos leaves it without memos.
            if (page.Text().empty())
                continue;
            store.memos.push_back(std::make_unique<CMemoData>());
            changed = true;
        }
        if (c >= store.memos.size())
            break;
        CMemoData& memo = *store.memos[c];
        changed = changed || memo.title != page.Title() || memo.text != page.Text();
        memo.title = page.Title();
        memo.text = page.Text();
    }
    return changed;
}

} // namespace

CMemoPage::CMemoPage(std::u16string title, std::u16string text)
    : text_(std::move(text))
{
    resource_.id = kResourceId;
    resource_.caption = std::move(title);
    ControlResource edit { kMemo, ControlKind::MultiLineEdit, {}, {}, 1, 0, 1, 2 };
    edit.cells = kMemoCells;
    resource_.controls = {
        { kClose, ControlKind::PushButton, buttontext::kClose, {}, 0, 0 },
        edit,
    };
}

void CMemoPage::OnInit(DialogHost& host)
{
    host.SetText(kMemo, text_);
    host.SetFocus(kMemo);
}

void CMemoPage::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kClose && notification == Notification::Clicked)
        host.PressDialogButton(kIdOk);
}

bool CMemoPage::OnOk(DialogHost& host)
{
    text_ = WithCrLf(host.Text(kMemo));
    return true;
}

bool EditMemos(CKalStore& store)
{
    std::vector<std::unique_ptr<CMemoPage>> pages;
    for (const auto& memo : store.memos)
        pages.push_back(std::make_unique<CMemoPage>(memo->title, memo->text));
    if (pages.empty())
        pages.push_back(std::make_unique<CMemoPage>(kCaption, std::u16string()));

    PropertySheet sheet;
    // A desktop window without a title cannot be told apart in the task bar.
    sheet.caption = kCaption;
    for (const auto& page : pages)
        sheet.pages.push_back(page.get());
    sheet.startPage = std::clamp<int>(store.settingsExtra, 0, static_cast<int>(pages.size()) - 1);
    if (Ui::Current().RunPropertySheet(sheet) != kIdOk)
        return false;
    return WriteBack(store, pages);
}

} // namespace kal
