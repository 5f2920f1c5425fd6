#pragma once

#include "ui/CustomControl.h"
#include "ui/DialogHost.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace kal {

class Canvas;
struct PropertySheet;

// A dialog kept in memory: the state of every control of its resource, changed by the dialog's
// logic and by a test acting as the user.
class MemoryDialogHost final : public DialogHost {
public:
    explicit MemoryDialogHost(DialogLogic& logic);
    ~MemoryDialogHost() override;
    MemoryDialogHost(const MemoryDialogHost&) = delete;
    MemoryDialogHost& operator=(const MemoryDialogHost&) = delete;

    void SetCaption(std::u16string_view caption) override { caption_ = caption; }
    void SetText(int id, std::u16string_view text) override;
    std::u16string Text(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void Enable(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void SetItems(int id, const std::vector<std::u16string>& items) override;
    std::vector<std::u16string> Items(int id) const override;
    void SetSelection(int id, int index) override;
    int Selection(int id) const override;
    void SetItemColours(int id, const std::vector<Colour>& colours) override;
    void SetColour(int id, Colour colour) override;
    void SetRange(int id, int minimum, int maximum) override;
    void SetPosition(int id, int position) override;
    int Position(int id) const override;
    void Invalidate(int id) override;
    void SetFocus(int id) override;
    void End(int result) override { result_ = result; }
    bool HasEnded() const override { return result_.has_value(); }
    void PressDialogButton(int id) override { Press(id); }

    // What a user does.
    void Open(); // the dialog appears: its logic fills it
    void Press(int id); // a button; OK and cancel run the checks
    void Type(int id, std::u16string_view text);
    void Choose(int id, int index);
    void DoubleClick(int id, int index);
    void Scroll(int id, ScrollAction action, int thumb = 0);
    // The up (+1) or down (-1) arrow of a spin edit; reported as a text change when the text changed.
    void Step(int id, int direction);
    // A key pressed with the focus where it is: the logic first, then a focused custom control, then
    // Up and Down step a focused spin edit, Enter presses the default button and Escape cancels.
    void Key(kal::Key key, unsigned modifiers = modifier::kNone);
    // A tap (press and release) or a double tap on a custom control, in its own pixels. A double tap
    // arrives as a screen reports it: press, release, double click, release.
    void Tap(int id, Point point);
    void DoubleTap(int id, Point point);
    // Draws a custom control at its size (SetControlSize; 240 x 200 unless set).
    void Draw(int id, Canvas& canvas) const;
    void SetControlSize(int id, Size size);
    [[nodiscard]] Size ControlSize(int id) const;

    // Where OK and cancel go instead of this dialog's own checks: a property sheet sends them to the
    // sheet, which checks every page.
    void SetDialogButtons(std::function<void(int id)> press) { dialogButtons_ = std::move(press); }

    [[nodiscard]] const std::u16string& Caption() const { return caption_; }
    [[nodiscard]] int Focus() const { return focus_; }
    [[nodiscard]] int Result() const { return result_.value_or(kIdCancel); }
    [[nodiscard]] std::vector<Colour> ItemColours(int id) const;
    [[nodiscard]] std::optional<Colour> ColourOf(int id) const;
    [[nodiscard]] std::pair<int, int> Range(int id) const;
    [[nodiscard]] int Invalidations(int id) const;

private:
    struct ControlState {
        const ControlResource* resource = nullptr;
        std::u16string text;
        bool checked = false;
        bool enabled = true;
        std::vector<std::u16string> items;
        int selection = -1;
        std::vector<Colour> itemColours;
        std::optional<Colour> colour;
        int minimum = 0;
        int maximum = 100;
        int position = 0;
        int invalidations = 0;
        Size size { 240, 200 };
    };
    class Surface;

    ControlState* State(int id);
    const ControlState* State(int id) const;
    CustomControl* CustomAt(int id) const;

    DialogLogic& logic_;
    std::map<int, ControlState> controls_;
    std::vector<std::unique_ptr<Surface>> surfaces_;
    std::u16string caption_;
    int focus_ = 0;
    std::optional<int> result_;
    std::function<void(int id)> dialogButtons_;
};

// A property sheet kept in memory: one in-memory host per page. OK and cancel pressed on a page (its
// Enter and Escape) are the sheet's; a page that ends itself ends the sheet with its result.
class MemoryPropertySheet {
public:
    explicit MemoryPropertySheet(PropertySheet& sheet);

    void Open(); // every page is filled; the start page is in front
    void PressOk();
    void PressCancel();
    void Show(int page) { active_ = page; }

    [[nodiscard]] MemoryDialogHost& Page(int index) { return *pages_.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] int PageCount() const { return static_cast<int>(pages_.size()); }
    [[nodiscard]] int ActivePage() const { return active_; }
    [[nodiscard]] bool HasEnded() const;
    [[nodiscard]] int Result() const;

private:
    PropertySheet& sheet_;
    std::vector<std::unique_ptr<MemoryDialogHost>> pages_;
    int active_ = 0;
    std::optional<int> result_;
};

} // namespace kal
