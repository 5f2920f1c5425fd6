#pragma once

#include "store/EntrySearch.h"
#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace searchdialog {
inline constexpr int kResourceId = 125;
inline constexpr int kWord = 135;
inline constexpr int kCondition = 118;
inline constexpr int kMatchCase = 179;
inline constexpr int kContent = 1029;
inline constexpr int kPlace = 1030;
inline constexpr int kMemo = 1031;
inline constexpr char16_t kCaption[] = u"検索";
inline constexpr char16_t kWordLabel[] = u"検索語(&W):";
inline constexpr char16_t kConditionLabel[] = u"条件(&J):";
inline constexpr const char16_t* kConditions[] = { u"を含む", u"と一致する", u"が最初にある", u"が最後にある" };
inline constexpr char16_t kMatchCaseLabel[] = u"大文字と小文字を区別(&O)";
inline constexpr char16_t kTargetLabel[] = u"検索対象";
inline constexpr char16_t kContentLabel[] = u"内容(&C)";
inline constexpr char16_t kPlaceLabel[] = u"場所(&L)";
inline constexpr char16_t kMemoLabel[] = u"詳細(&M)";
} // namespace searchdialog

class SearchDialog final : public DialogLogic {
public:
    explicit SearchDialog(SearchConditions conditions);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const SearchConditions& Conditions() const { return conditions_; }

private:
    static void ShowCaseChoice(DialogHost& host);

    DialogResource resource_;
    SearchConditions conditions_;
};

// The search dialog ("検索") on `conditions`; the edited conditions on OK (with at least one target:
// none ticked means the content), nothing when cancelled.
[[nodiscard]] std::optional<SearchConditions> AskSearchConditions(const SearchConditions& conditions);

} // namespace kal
