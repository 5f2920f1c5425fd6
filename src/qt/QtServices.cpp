#include "qt/QtServices.h"

#include "qt/QtConvert.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace kal {

std::optional<std::u16string> QtClipboard::Text() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return FromQString(data->text());
}

void QtClipboard::SetText(std::u16string_view text)
{
    QGuiApplication::clipboard()->setText(ToQString(text));
}

bool QtShell::Open(std::u16string_view pathOrAddress)
{
    const QString target = ToQString(pathOrAddress);
    const QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

} // namespace kal
