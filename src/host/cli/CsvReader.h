#pragma once

#include <QIODevice>
#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

// Reads comma-separated values (RFC 4180) from a device one record at a time, so a file
// of any size is read in little memory: values in double quotes may hold commas,
// doubled quotes and line breaks; lines end with CR LF, LF or CR; the text is UTF-8,
// a byte-order mark is skipped. A malformed text is error 5 whose description starts
// with "line N:", N being the line where it goes wrong.
class CsvReader
{
public:
    struct Record
    {
        int line = 0; // where the record starts, from 1
        QStringList values;
    };

    explicit CsvReader(QIODevice &device);

    // The next record; nullopt at the end of the text.
    std::optional<Record> next();

    // Every record of a whole text.
    static QList<Record> read(const QString &text);

private:
    QString readQuoted();
    QString readPlain();
    // Whether a character is at the position, reading on from the device when needed.
    bool has(qsizetype position);
    bool atLineEnd();
    void skipLineEnd();
    void dropReadText();
    [[noreturn]] void fail(int line, const QString &what) const;

    QIODevice &m_device;
    QStringDecoder m_decoder;
    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    // Values in the record read last: records of a file are alike.
    qsizetype m_width = 0;
};
