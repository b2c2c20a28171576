#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// The non-empty fields of one or more records as read from the database, each record a
// run of consecutive values. Kept as the database's UTF-8 bytes in one buffer: a walk
// reads a few fields of each record, so only those are ever turned into text.
class RecordValues
{
public:
    void append(qint32 field, QByteArrayView utf8);
    // The number of values held: the end of the run of the record appended last.
    qsizetype size() const { return qsizetype(m_slots.size()); }

    // The field among the values [first, end); "" when the record does not hold it.
    QString value(qsizetype first, qsizetype end, qint32 field) const;
    // The field of a single record held alone.
    QString value(qint32 field) const { return value(0, size(), field); }

private:
    struct Slot
    {
        qint32 field;
        qsizetype offset;
        qsizetype size;
    };

    QByteArray m_text;
    std::vector<Slot> m_slots;
};
