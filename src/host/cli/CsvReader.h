#pragma once

#include <QList>
#include <QStringList>

// Reads comma-separated values (RFC 4180): values in double quotes may hold commas,
// doubled quotes and line breaks; lines end with CR LF, LF or CR. A malformed text is
// error 5 whose description starts with "line N:", N being the line where it goes wrong.
class CsvReader
{
public:
    struct Record
    {
        int line = 0; // where the record starts, from 1
        QStringList values;
    };

    static QList<Record> read(const QString &text);

private:
    explicit CsvReader(const QString &text);

    QList<Record> readAll();
    QString readQuoted();
    QString readPlain();
    bool atLineEnd() const;
    void skipLineEnd();
    [[noreturn]] void fail(int line, const QString &what) const;

    const QString &m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};
