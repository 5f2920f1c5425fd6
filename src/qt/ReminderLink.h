#pragma once

#include "views/ViewDocument.h"

#include <QObject>
#include <QString>

class QTimer;

namespace kal {

class CKalDoc;

// Hands the reminder the reminders of an open file that has a password, which the reminder cannot
// read itself, over the session bus: after every change, when the reminder (re)starts, and twice a
// day for the days ahead. A closed file or one without a password hands an empty list over, so that
// nothing of a protected file stays with the reminder.
// No signals or slots of its own, so no meta-object: moc cannot read the core's headers.
class ReminderLink final : public QObject, public DocumentView {
public:
    explicit ReminderLink(CKalDoc& document, QObject* parent = nullptr);
    ~ReminderLink() override;

    void OnUpdate(int hint, const CKalData* entry) override;
    void OnInitialUpdate() override;

private:
    void Send();

    CKalDoc& document_;
    QTimer* soon_ = nullptr; // many changes in a row make one hand-over
    QTimer* refresh_ = nullptr;
    QString handedFile_; // the protected file whose reminders were handed last
};

} // namespace kal
