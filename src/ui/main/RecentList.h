#pragma once

#include <QString>
#include <QStringList>

// The last calculations run, most recent first, kept in "Recent.txt" where the program
// writes its files (WritableAppPath): UTF-8 text, one calculation per line, CR LF ends.
class RecentList
{
public:
    static constexpr qsizetype MaxEntries = 10;

    explicit RecentList(QString path = defaultPath());

    static QString defaultPath();
    const QString &path() const { return m_path; }

    // The non-empty lines of the file in file order; none when the file is missing.
    // Throws OrvantaError when the file is there but cannot be read.
    QStringList load() const;
    // Writes current first, then those of the first nine entries that differ from it.
    // Throws OrvantaError when the file cannot be written.
    void save(const QString &current, const QStringList &entries) const;
    // Deletes the file; a missing file is no error.
    void reset() const;

    static QStringList rewritten(const QString &current, const QStringList &entries);

private:
    QString m_path;
};
