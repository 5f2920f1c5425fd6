#pragma once

#include "ui/DialogResource.h"
#include "ui/Geometry.h"
#include "ui/Keys.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CustomControl;

// What dialog logic sees of a dialog on screen: its controls, addressed by id. Every host behaves
// the same: an id the resource does not have is ignored by the setters and reads as empty text,
// unchecked, disabled, no items and no selection.
class DialogHost {
public:
    virtual ~DialogHost() = default;

    virtual void SetCaption(std::u16string_view caption) = 0;
    virtual void SetText(int id, std::u16string_view text) = 0;
    [[nodiscard]] virtual std::u16string Text(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    [[nodiscard]] virtual bool IsChecked(int id) const = 0;
    virtual void Enable(int id, bool enabled) = 0;
    [[nodiscard]] virtual bool IsEnabled(int id) const = 0;
    // Lists and combo boxes. Refilling a list keeps its scroll position (clamped to the new rows)
    // and selects nothing.
    virtual void SetItems(int id, const std::vector<std::u16string>& items) = 0;
    [[nodiscard]] virtual std::vector<std::u16string> Items(int id) const = 0;
    virtual void SetSelection(int id, int index) = 0; // -1 = none
    [[nodiscard]] virtual int Selection(int id) const = 0;
    // A colour swatch beside each item of a list or drop-down list; empty for none.
    virtual void SetItemColours(int id, const std::vector<Colour>& colours) = 0;
    // The colour of a control: the text of a label, the fill of a colour sample, the swatch of a
    // push button.
    virtual void SetColour(int id, Colour colour) = 0;
    // Scroll bars and the arrows of spin edits: the values they step between, both ends inside.
    virtual void SetRange(int id, int minimum, int maximum) = 0;
    // The thumb of a scroll bar.
    virtual void SetPosition(int id, int position) = 0;
    [[nodiscard]] virtual int Position(int id) const = 0;
    // A custom control's picture changed.
    virtual void Invalidate(int id) = 0;
    virtual void SetFocus(int id) = 0;
    // Closes the dialog with `result` (kIdOk, kIdCancel or a button id).
    virtual void End(int result) = 0;
    // Presses the window's OK or cancel (kIdOk, kIdCancel) as the user would, checks included; on a
    // page of a property sheet, the sheet's, so that every page is heard.
    virtual void PressDialogButton(int id) = 0;
    [[nodiscard]] virtual bool HasEnded() const = 0;

    // The text of a control read as a whole number ("-12", " 7 "), or nothing.
    [[nodiscard]] std::optional<int> Number(int id) const;
};

enum class Notification { Clicked, SelectionChanged, DoubleClicked, TextChanged };

// What the user did to a scroll bar.
enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The behaviour of one dialog: it fills the controls when the dialog opens, reacts to them, and on OK
// checks and keeps what was entered. A check that fails shows its message and returns false, which
// leaves the dialog open with the typed values.
class DialogLogic {
public:
    virtual ~DialogLogic() = default;

    [[nodiscard]] virtual const DialogResource& Resource() const = 0;
    virtual void OnInit(DialogHost& host) { (void)host; }
    virtual void OnControl(DialogHost& host, int id, Notification notification)
    {
        (void)host;
        (void)id;
        (void)notification;
    }
    // A scroll bar was used; `thumb` is where the thumb was dragged to (ScrollAction::Thumb only).
    // The bar does not move by itself: the logic sets its position.
    virtual void OnScroll(DialogHost& host, int id, ScrollAction action, int thumb)
    {
        (void)host;
        (void)id;
        (void)action;
        (void)thumb;
    }
    // A key pressed anywhere in the dialog, before the focused control sees it; true when the logic
    // used it.
    virtual bool OnKey(DialogHost& host, Key key, unsigned modifiers)
    {
        (void)host;
        (void)key;
        (void)modifiers;
        return false;
    }
    // The core-drawn control placed where the resource has a Custom control with this id.
    [[nodiscard]] virtual CustomControl* Custom(int id)
    {
        (void)id;
        return nullptr;
    }
    [[nodiscard]] virtual bool OnOk(DialogHost& host)
    {
        (void)host;
        return true;
    }
    virtual void OnCancel(DialogHost& host) { (void)host; }
};

// The framework's check of the number fields, in resource order: a field that is not a whole
// number, is negative where only positive numbers go, or lies outside its range shows the message
// and takes the focus. True when every field passes.
[[nodiscard]] bool CheckNumberFields(const DialogResource& resource, DialogHost& host);

// OK as every host handles it: the number fields, then the logic's checks; the dialog ends with
// kIdOk when both pass and the logic has not ended it another way.
void PressOk(DialogLogic& logic, DialogHost& host);
// Cancel, Escape and the window's close button: the logic hears of it, then the dialog ends with
// kIdCancel unless the logic ended it itself.
void PressCancel(DialogLogic& logic, DialogHost& host);

// The text a spin edit shows after one press of an arrow (`direction` +1 up, -1 down): the number it
// shows moved by one and kept within [minimum, maximum]. A text that is no number goes to `minimum`,
// so the first press always shows a value the field accepts.
[[nodiscard]] std::u16string SteppedNumber(std::u16string_view text, int minimum, int maximum, int direction);

// What the number check shows for a value outside [minimum, maximum]: the range message with both
// bounds written in.
[[nodiscard]] std::u16string NumberRangeMessage(int minimum, int maximum);

// Messages of the number check, as dialog frameworks word them.
namespace dialogtext {
inline constexpr char16_t kEnterWholeNumber[] = u"整数を入力してください。";
inline constexpr char16_t kEnterPositiveNumber[] = u"正の整数を入力してください。";
inline constexpr char16_t kEnterNumberInRange[] = u"%1 から %2 までの整数を入力してください。";
} // namespace dialogtext

} // namespace kal
