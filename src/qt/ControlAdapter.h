#pragma once

#include "ui/DialogHost.h"

#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QWidget;

namespace kal {

class CustomControl;

// What a control's widget tells the dialog it sits in, and what it needs from it.
class ControlEvents {
public:
    virtual ~ControlEvents() = default;
    // The user changed the control. The dialog drops it while its logic is changing controls itself.
    virtual void Notify(int id, Notification notification) = 0;
    virtual void Scroll(int id, ScrollAction action, int thumb) = 0;
    // The exclusive group the radio buttons with this group number share.
    [[nodiscard]] virtual QButtonGroup& RadioGroup(int group) = 0;
    // The logic's core-drawn control for this id, or null.
    [[nodiscard]] virtual CustomControl* Custom(int id) = 0;
};

// One control of a dialog as a Qt widget: every operation the dialog's host offers, done the way this
// kind of control does it. Operations a kind has no use for are ignored and read as empty, unchecked,
// no items, no selection (-1) and position 0, as for an id the dialog does not have.
class ControlAdapter {
public:
    explicit ControlAdapter(const ControlResource& resource)
        : resource_(resource)
    {
    }
    virtual ~ControlAdapter() = default;
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    [[nodiscard]] const ControlResource& Resource() const { return resource_; }
    // The widget placed on the dialog's grid; it belongs to its parent widget.
    [[nodiscard]] virtual QWidget& Widget() const = 0;

    // Controls without a text of their own keep the one they are given.
    virtual void SetText(std::u16string_view text) { text_ = text; }
    [[nodiscard]] virtual std::u16string Text() const { return text_; }
    virtual void SetChecked(bool checked) { (void)checked; }
    [[nodiscard]] virtual bool IsChecked() const { return false; }
    // The control's own state: a control inside a disabled group box still reads as enabled.
    virtual void SetEnabled(bool enabled);
    [[nodiscard]] virtual bool IsEnabled() const;
    virtual void SetItems(const std::vector<std::u16string>& items) { (void)items; }
    [[nodiscard]] virtual std::vector<std::u16string> Items() const { return {}; }
    virtual void SetSelection(int index) { (void)index; }
    [[nodiscard]] virtual int Selection() const { return -1; }
    virtual void SetItemColours(const std::vector<Colour>& colours) { (void)colours; }
    virtual void SetColour(Colour colour) { (void)colour; }
    virtual void SetRange(int minimum, int maximum)
    {
        (void)minimum;
        (void)maximum;
    }
    virtual void SetPosition(int position) { (void)position; }
    [[nodiscard]] virtual int Position() const { return 0; }
    virtual void Invalidate() { }
    virtual void Focus();
    // The dialog is going: a core-drawn control lets go of its widget.
    virtual void Detach() { }

private:
    const ControlResource& resource_;
    std::u16string text_;
};

// The widget of `resource` made on `parent`, with the adapter that drives it; user actions go to
// `events`.
[[nodiscard]] std::unique_ptr<ControlAdapter> MakeControlAdapter(
    const ControlResource& resource, QWidget& parent, ControlEvents& events);

// How a kind of control takes room on the grid.
struct ControlLayout {
    bool widens = false; // takes the room the dialog has to give across
    bool tall = false; // several lines high: labels and buttons beside it stand at its top
};
[[nodiscard]] ControlLayout LayoutOf(ControlKind kind);

} // namespace kal
