#pragma once

#include "store/KalData.h"
#include "ui/DialogHost.h"

#include <string>
#include <vector>

namespace kal {

namespace exclusiondialog {
inline constexpr int kResourceId = 157;
inline constexpr int kList = 197;
inline constexpr int kAddDay = 111;
inline constexpr int kEdit = 112;
inline constexpr int kDelete = 113;
inline constexpr int kAddPeriod = 114;
inline constexpr char16_t kCaption[] = u"除外日";
inline constexpr char16_t kAddDayText[] = u"1日追加(&A)...";
inline constexpr char16_t kAddPeriodText[] = u"期間で追加(&S)...";
inline constexpr char16_t kEditText[] = u"編集(&E)...";
inline constexpr char16_t kDeleteText[] = u"削除(&D)...";
inline constexpr char16_t kAskDelete[] = u"削除しますか？";
} // namespace exclusiondialog

// A row of the exclusion list: "2013/02/10" for a single day, "2013/02/10 ～ 2013/02/14" for a period.
[[nodiscard]] std::u16string ExclusionText(const ExclusionPeriod& period);

// The days and periods left out of a repetition, edited on a copy.
class ExclusionDialog final : public DialogLogic {
public:
    explicit ExclusionDialog(std::vector<ExclusionPeriod> exclusions);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;

    // The list as edited, in its order.
    [[nodiscard]] const std::vector<ExclusionPeriod>& Exclusions() const { return exclusions_; }

private:
    void Refill(DialogHost& host, int select);
    void AddDay(DialogHost& host);
    void AddPeriod(DialogHost& host);
    void EditSelected(DialogHost& host);
    void DeleteSelected(DialogHost& host);
    [[nodiscard]] int SelectedRow(const DialogHost& host) const;

    DialogResource resource_;
    std::vector<ExclusionPeriod> exclusions_;
};

} // namespace kal
