#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The non-empty fields of one record as read from the database, in field order. A flat
// list: a record has a few dozen fields at most, and a walk builds one per record.
class RecordValues
{
public:
    void append(qint32 field, const QString &value) { m_values.append({field, value}); }
    // "" for a field the record does not hold.
    QString value(qint32 field) const;

private:
    QList<QPair<qint32, QString>> m_values;
};
