#include "qt/QtServices.h"

#include "qt/QtConvert.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
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
    if (!url.isValid())
        return false;
    // Qt counts starting the desktop's opener as success, but with no program for the file (no
    // browser for the manual, say) the opener fails within moments. Waiting briefly lets the user be
    // told; an opener still busy after that has found its program and is left to run.
    auto* opener = new QProcess;
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->start(QStringLiteral("xdg-open"), { text });
    if (!opener->waitForStarted()) {
        delete opener;
        return QDesktopServices::openUrl(url);
    }
    constexpr int kOpenerFailsWithinMilliseconds = 1500;
    if (opener->waitForFinished(kOpenerFailsWithinMilliseconds)) {
        const bool opened = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
        delete opener;
        return opened;
    }
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    return true;
}

} // namespace kal
