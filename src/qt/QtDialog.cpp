#include "qt/QtDialog.h"

#include "qt/KeyMapping.h"
#include "qt/QtConvert.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace kal {

QtDialog::QtDialog(DialogLogic& logic, QWidget* parent)
    : QDialog(parent)
    , QtControlHost(logic)
{
    setWindowTitle(ToQString(logic.Resource().caption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&Build(*this));
    if (QDialogButtonBox* buttons = ButtonRow()) {
        connect(buttons, &QDialogButtonBox::accepted, this, &QtDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QtDialog::reject);
    }
}

QtDialog::~QtDialog() = default;

int QtDialog::Run()
{
    Open();
    if (!HasEnded())
        exec();
    return Result();
}

void QtDialog::accept()
{
    if (Control(kIdOk) && !IsEnabled(kIdOk))
        return;
    PressOk(Logic(), *this);
}

void QtDialog::reject()
{
    if (Control(kIdCancel) && !IsEnabled(kIdCancel))
        return;
    PressCancel(Logic(), *this);
}

void QtDialog::keyPressEvent(QKeyEvent* event)
{
    // With the focus on no control the key came straight here, past the logic's filter.
    if (!focusWidget() && OfferKey(*event))
        return;
    const Key key = KeyOf(event->key());
    if (key == Key::Escape) {
        reject();
    } else if (key == Key::Enter) {
        const int id = DefaultButton();
        if (auto* button = qobject_cast<QAbstractButton*>(Control(id)))
            button->click();
        else if (id == kIdOk)
            accept();
    } else {
        event->ignore();
    }
}

void QtDialog::End(int result)
{
    result_ = result;
    done(result);
}

void QtDialog::SetCaption(std::u16string_view caption)
{
    setWindowTitle(ToQString(caption));
}

} // namespace kal
