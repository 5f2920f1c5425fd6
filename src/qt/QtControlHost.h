#pragma once

#include "qt/ControlAdapter.h"
#include "ui/DialogHost.h"

#include <map>
#include <memory>
#include <vector>

class QDialogButtonBox;
class QGridLayout;
class QKeyEvent;
class QObject;
class QWidget;

namespace kal {

// The controls of one dialog resource as Qt widgets, driven by its logic: what a dialog and a page
// of a property sheet share. The controls go on a grid by their rows and columns; a group box takes
// the cells of its rows and columns and holds the controls placed in them; OK and cancel go to a
// button row at the bottom. User actions reach the logic as notifications; changes the logic makes
// through the host do not notify it back. Ids the resource does not have are ignored and read as
// empty, unchecked, disabled, no items and no selection.
class QtControlHost : public DialogHost, private ControlEvents {
public:
    explicit QtControlHost(DialogLogic& logic);
    ~QtControlHost() override;
    QtControlHost(const QtControlHost&) = delete;
    QtControlHost& operator=(const QtControlHost&) = delete;

    [[nodiscard]] DialogLogic& Logic() const { return logic_; }
    // Lets the logic fill the controls, once.
    void Open();
    // The widget of a control, or null for an unknown id. OK and cancel are the buttons of the row.
    [[nodiscard]] QWidget* Control(int id) const;
    // The control whose widget is or holds `widget`; 0 for none.
    [[nodiscard]] int ControlAt(const QWidget* widget) const;
    // The control that has the keyboard focus in the host's window (or would have it once shown).
    [[nodiscard]] int FocusedControl() const;
    // The button Enter presses when the focus is on no button: the resource's default button, else OK.
    [[nodiscard]] int DefaultButton() const;
    // Offers a key pressed in the host's window to the logic; true when the logic used it.
    bool OfferKey(const QKeyEvent& event);

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

protected:
    // Makes every control in one widget on `surface` and gives it; the owner puts it in its layout.
    // The button row, when the resource has OK or cancel, is its ButtonRow().
    QWidget& Build(QWidget& surface);
    [[nodiscard]] QDialogButtonBox* ButtonRow() const { return buttons_; }

private:
    class Quiet;
    class KeyFilter;

    void Place(QWidget& parent, QGridLayout& grid, const std::vector<const ControlResource*>& controls, int originRow,
        int originColumn);
    void BuildButtonRow(QWidget& body, const std::vector<const ControlResource*>& buttons);
    void SetLabelBuddies();
    void WatchKeys();
    ControlAdapter* Find(int id) const;

    void Notify(int id, Notification notification) override;
    void Scroll(int id, ScrollAction action, int thumb) override;
    QButtonGroup& RadioGroup(int group) override;
    CustomControl* Custom(int id) override;

    DialogLogic& logic_;
    QWidget* body_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    std::vector<std::unique_ptr<ControlAdapter>> adapters_; // every control made, addressed or not
    std::map<int, ControlAdapter*> byId_;
    std::map<int, QButtonGroup*> radioGroups_;
    KeyFilter* keyFilter_ = nullptr;
    bool opened_ = false;
    int quiet_ = 0;
};

} // namespace kal
