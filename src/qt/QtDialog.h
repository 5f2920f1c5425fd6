#pragma once

#include "qt/QtControlHost.h"

#include <QDialog>

#include <optional>

namespace kal {

// Any dialog resource as a modal Qt dialog, driven by its logic. OK runs the number checks and then
// the logic's; cancel, Escape and the window's close button cancel (not while cancel is disabled).
// Enter presses the button with the focus, else the default button.
class QtDialog final : public QDialog, public QtControlHost {
    Q_OBJECT

public:
    explicit QtDialog(DialogLogic& logic, QWidget* parent = nullptr);
    ~QtDialog() override;

    // Opens the dialog modally and gives the result it ended with; cancel when it was closed.
    int Run();
    [[nodiscard]] int Result() const { return result_.value_or(kIdCancel); }

    void SetCaption(std::u16string_view caption) override;
    void End(int result) override;
    bool HasEnded() const override { return result_.has_value(); }
    void PressDialogButton(int id) override { id == kIdOk ? accept() : reject(); }

public Q_SLOTS:
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<int> result_;
};

} // namespace kal
