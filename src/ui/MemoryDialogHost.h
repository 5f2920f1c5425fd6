#pragma once

#include "ui/DialogHost.h"

#include <map>
#include <optional>

namespace kal {

// A dialog kept in memory: the state of every control of its resource, changed by the dialog's
// logic and by a test acting as the user.
class MemoryDialogHost final : public DialogHost {
public:
    explicit MemoryDialogHost(DialogLogic& logic);

    void SetCaption(std::u16string_view caption) override { caption_ = caption; }
    void SetText(int id, std::u16string_view text) override { State(id).text = text; }
    std::u16string Text(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void Enable(int id, bool enabled) override { State(id).enabled = enabled; }
    bool IsEnabled(int id) const override;
    void SetItems(int id, const std::vector<std::u16string>& items) override;
    std::vector<std::u16string> Items(int id) const override;
    void SetSelection(int id, int index) override;
    int Selection(int id) const override;
    void SetFocus(int id) override { focus_ = id; }
    void End(int result) override { result_ = result; }

    // What a user does.
    void Open(); // the dialog appears: its logic fills it
    void Press(int id); // a button; OK and cancel run the logic's checks
    void Type(int id, std::u16string_view text);
    void Choose(int id, int index);
    void DoubleClick(int id, int index);

    [[nodiscard]] const std::u16string& Caption() const { return caption_; }
    [[nodiscard]] int Focus() const { return focus_; }
    [[nodiscard]] bool HasEnded() const { return result_.has_value(); }
    [[nodiscard]] int Result() const { return result_.value_or(kIdCancel); }

private:
    struct ControlState {
        std::u16string text;
        bool checked = false;
        bool enabled = true;
        std::vector<std::u16string> items;
        int selection = -1;
    };
    ControlState& State(int id) { return controls_[id]; }
    const ControlState* Find(int id) const;

    DialogLogic& logic_;
    std::map<int, ControlState> controls_;
    std::u16string caption_;
    int focus_ = 0;
    std::optional<int> result_;
};

} // namespace kal
