#include "remind/ShownAlarms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <utility>

namespace kal {

namespace {

constexpr std::int64_t kKeptSeconds = 2 * 24 * 3600;

} // namespace

QString ShownAlarms::DefaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/kalendra/reminded");
}

ShownAlarms::ShownAlarms(QString path)
    : path_(std::move(path))
{
}

void ShownAlarms::Read()
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    // One reminder a line: its key in hexadecimal and the moment it was due. Anything else is passed over.
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine(256).trimmed().split(' ');
        if (fields.size() != 2)
            continue;
        bool keyOk = false;
        bool dueOk = false;
        const std::uint64_t key = fields[0].toULongLong(&keyOk, 16);
        const std::int64_t due = fields[1].toLongLong(&dueOk);
        if (keyOk && dueOk)
            shown_[key] = due;
    }
}

bool ShownAlarms::Write(std::int64_t now)
{
    std::erase_if(shown_, [&](const auto& kept) { return kept.second < now - kKeptSeconds; });
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QByteArray text;
    for (const auto& [key, due] : shown_)
        text += QByteArray::number(static_cast<qulonglong>(key), 16) + ' '
            + QByteArray::number(static_cast<qlonglong>(due)) + '\n';
    file.write(text);
    return file.commit();
}

} // namespace kal
