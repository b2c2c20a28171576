#include "RecentList.h"

#include "AppPath.h"
#include "FileExists.h"
#include "OrvantaError.h"

#include <QFile>
#include <QRegularExpression>

RecentList::RecentList(QString path)
    : m_path(std::move(path))
{
}

QString RecentList::defaultPath()
{
    return WritableAppPath() + QStringLiteral("/Recent.txt");
}

QStringList RecentList::load() const
{
    if (!FileExists(m_path))
        return {};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        throw OrvantaError(OrvantaError::PathFileAccessError);
    const QString text = QString::fromUtf8(file.readAll());
    // A CR, an LF or both end a line, as the lines of the original's file reader did.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    lines.removeAll(QString());
    return lines;
}

void RecentList::save(const QString &current, const QStringList &entries) const
{
    QByteArray bytes;
    for (const QString &line : rewritten(current, entries))
        bytes += line.toUtf8() + "\r\n";
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw OrvantaError(OrvantaError::PathFileAccessError);
}

void RecentList::reset() const
{
    QFile::remove(m_path);
}

QStringList RecentList::rewritten(const QString &current, const QStringList &entries)
{
    QStringList lines {current};
    for (const QString &entry : entries.first(std::min(entries.size(), MaxEntries - 1))) {
        if (entry != current)
            lines << entry;
    }
    return lines;
}
