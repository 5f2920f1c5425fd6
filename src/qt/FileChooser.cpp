#include "qt/FileChooser.h"

#include "platform/UserFolders.h"
#include "qt/QtConvert.h"

#include <QDir>
#include <QFileInfo>

namespace kal {

namespace {

QString Documents()
{
    return QString::fromStdString(DocumentsFolder());
}

QString QtPatterns(const QString& patterns)
{
    QStringList result;
    const auto add = [&](const QString& pattern) {
        if (!pattern.isEmpty() && !result.contains(pattern))
            result.append(pattern);
    };
    for (const QString& part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern == QStringLiteral("*.*") || pattern == QStringLiteral("*")) {
            add(QStringLiteral("*"));
            continue;
        }
        add(pattern);
        add(pattern.toLower());
        add(pattern.toUpper());
    }
    return result.join(QLatin1Char(' '));
}

} // namespace

QStringList QtNameFilters(std::u16string_view filter)
{
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = QtPatterns(parts[i + 1]);
        if (description.isEmpty() || patterns.isEmpty())
            break;
        filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

QString ResolveFolder(std::u16string_view folder)
{
    QString path = ToQString(folder).trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString myDocuments = QStringLiteral("/My Documents");
    if (path.startsWith(myDocuments, Qt::CaseInsensitive)
        && (path.size() == myDocuments.size() || path[myDocuments.size()] == QLatin1Char('/')))
        path = Documents() + path.mid(myDocuments.size());
    else if (!path.isEmpty() && !QDir::isAbsolutePath(path))
        path = Documents() + QLatin1Char('/') + path;
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return Documents();
    return QDir::cleanPath(path);
}

ChooserStart ChooserStartFor(const FileDialogOptions& options)
{
    QString name = ToQString(options.initialName).trimmed();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    ChooserStart start;
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) {
        start.folder = ResolveFolder(FromQString(slash == 0 ? QStringLiteral("/") : name.left(slash)));
        name = name.mid(slash + 1);
    } else
        start.folder = ResolveFolder(options.initialFolder);
    if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        start.name = name;
    return start;
}

} // namespace kal
