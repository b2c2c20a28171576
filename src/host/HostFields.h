#pragma once

#include <QString>

// The field definitions of one record kind, by position from 0.
class HostFields
{
public:
    virtual ~HostFields() = default;

    virtual qint16 Count() = 0;
    virtual qint32 Id(qint16 position) = 0;
    virtual QString Label(qint16 position) = 0;
    virtual QString Type(qint16 position) = 0;

    // By field, the field's ID given as digits text (the field picker asks this way).
    // The defaults walk the positions; a backend may answer directly.
    virtual qint32 Id(const QString &fieldId) { return Id(positionOf(fieldId)); }
    virtual QString Type(const QString &fieldId) { return Type(positionOf(fieldId)); }

private:
    qint16 positionOf(const QString &fieldId)
    {
        const qint32 id = fieldId.trimmed().toInt();
        for (qint16 position = 0, found = 0; found < Count(); ++position) {
            const qint32 here = Id(position);
            if (here == id && here != -1)
                return position;
            if (here != -1)
                ++found;
        }
        return -1;
    }
};
