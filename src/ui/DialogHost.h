#pragma once

#include "ui/DialogResource.h"

#include <string>
#include <string_view>
#include <vector>

namespace kal {

// What dialog logic sees of a dialog on screen: its controls, addressed by id.
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
    // Lists and combo boxes.
    virtual void SetItems(int id, const std::vector<std::u16string>& items) = 0;
    [[nodiscard]] virtual std::vector<std::u16string> Items(int id) const = 0;
    virtual void SetSelection(int id, int index) = 0; // -1 = none
    [[nodiscard]] virtual int Selection(int id) const = 0;
    virtual void SetFocus(int id) = 0;
    // Closes the dialog with `result` (kIdOk, kIdCancel or a button id).
    virtual void End(int result) = 0;
};

enum class Notification { Clicked, SelectionChanged, DoubleClicked, TextChanged };

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
    [[nodiscard]] virtual bool OnOk(DialogHost& host)
    {
        (void)host;
        return true;
    }
    virtual void OnCancel(DialogHost& host) { (void)host; }
};

} // namespace kal
