#pragma once

#include <QString>

// A view of the host: the records of one kind and a current record. The calculation
// view walks the current lookup and reads and writes the current record's fields.
// Every member throws OrvantaError when the host refuses.
class HostView
{
public:
    virtual ~HostView() = default;

    virtual qint16 Type() = 0;

    // The field's value as text, "" when empty. The ID as an integer or as digits text.
    virtual QString getField(qint32 fieldId) = 0;
    virtual QString getField(const QString &fieldId) = 0;
    virtual void SetField(qint32 fieldId, const QString &value) = 0;

    // The current lookup, in its order.
    virtual qint32 GetCount() = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;

    // Makes the record whose key field (HostField::Key) holds this key current.
    virtual void GoTo(const QString &key) = 0;
};
