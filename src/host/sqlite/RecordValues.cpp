#include "RecordValues.h"

void RecordValues::append(qint32 field, QByteArrayView utf8)
{
    m_slots.push_back({field, m_text.size(), utf8.size()});
    m_text.append(utf8);
}

QString RecordValues::value(qsizetype first, qsizetype end, qint32 field) const
{
    for (qsizetype i = first; i < end; ++i) {
        const Slot &slot = m_slots[size_t(i)];
        if (slot.field == field)
            return QString::fromUtf8(m_text.constData() + slot.offset, slot.size);
    }
    return QString();
}
