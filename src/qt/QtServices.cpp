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

bool QtShell::Start(const std::string& target)
{
    // The core checked the target: an absolute path, or an http, https or mailto address.
    const QString text = QString::fromStdString(target);
    const QUrl url = text.startsWith(u'/') ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::StrictMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace kal
