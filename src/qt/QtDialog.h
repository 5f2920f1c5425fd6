#pragma once

#include "ui/DialogHost.h"

#include <QDialog>

#include <map>
#include <optional>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QWidget;

namespace kal {

// Any dialog resource as a Qt dialog, driven by its logic. The controls go on a grid by their rows
// and columns; a group box takes the cells of its rows and columns and holds the controls placed in
// them. OK and cancel go to the button row at the bottom. User actions reach the logic as
// notifications; changes the logic makes through the host do not notify it back.
class QtDialog final : public QDialog, public DialogHost {
    Q_OBJECT

public:
    explicit QtDialog(DialogLogic& logic, QWidget* parent = nullptr);
    ~QtDialog() override;

    // Lets the logic fill the controls (once) without showing the dialog.
    void Open();
    // Opens the dialog modally and gives the result it ended with; cancel when it was closed.
    int Run();
    [[nodiscard]] int Result() const { return result_.value_or(kIdCancel); }
    // The widget of a control, or null for an unknown id.
    [[nodiscard]] QWidget* Control(int id) const;

    void SetCaption(std::u16string_view caption) override;
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
    void End(int result) override;
    bool HasEnded() const override { return result_.has_value(); }

public Q_SLOTS:
    // OK runs the logic's checks and closes only when they pass; cancel, Escape and the window's
    // close button cancel.
    void accept() override;
    void reject() override;

private:
    class Quiet;
    struct Placed {
        const ControlResource* resource;
        QWidget* widget;
    };

    void Build();
    void Place(QWidget& parent, QGridLayout& grid, const std::vector<const ControlResource*>& controls, int originRow,
        int originColumn);
    QWidget* Create(const ControlResource& control, QWidget& parent);
    void Connect(const ControlResource& control, QWidget& widget);
    void SetLabelBuddies();
    void Notify(int id, Notification notification);
    const Placed* Find(int id) const;

    DialogLogic& logic_;
    std::vector<Placed> all_; // every control made, addressed or not
    std::map<int, Placed> controls_;
    std::map<int, QButtonGroup*> radioGroups_;
    std::optional<int> result_;
    bool opened_ = false;
    int quiet_ = 0;
};

} // namespace kal
