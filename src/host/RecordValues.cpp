#include "RecordValues.h"

QString RecordValues::value(qint32 field) const
{
    for (const auto &[id, value] : m_values)
        if (id == field)
            return value;
    return QString();
}
