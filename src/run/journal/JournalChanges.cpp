#include "JournalChanges.h"

#include <QVarLengthArray>
#include <algorithm>

namespace {

void appendNumber(QByteArray &changes, quint32 number)
{
    while (number >= 0x80) {
        changes.append(char(number | 0x80));
        number >>= 7;
    }
    changes.append(char(number));
}

void appendText(QByteArray &changes, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    appendNumber(changes, quint32(utf8.size()));
    changes.append(utf8);
}

bool takeNumber(QByteArrayView &changes, quint32 &number)
{
    number = 0;
    for (int shift = 0; shift < 35 && !changes.isEmpty(); shift += 7) {
        const auto byte = quint8(changes.front());
        changes = changes.sliced(1);
        number |= quint32(byte & 0x7f) << shift;
        if (byte < 0x80)
            return true;
    }
    return false;
}

bool takeText(QByteArrayView &changes, QString &text)
{
    quint32 size = 0;
    if (!takeNumber(changes, size) || changes.size() < qsizetype(size))
        return false;
    text = QString::fromUtf8(changes.first(size));
    changes = changes.sliced(size);
    return true;
}

} // namespace

QByteArray JournalChanges::encode(const JournalWrite *first, int count)
{
    QByteArray changes;
    changes.reserve(count * 24);
    for (const JournalWrite *write = first; write != first + count; ++write) {
        // Zigzag, so that a negative ID stays short too.
        appendNumber(changes, (quint32(write->field) << 1) ^ quint32(write->field >> 31));
        appendText(changes, write->before);
        appendText(changes, write->written);
    }
    return changes;
}

int JournalChanges::distinctFields(const JournalWrite *first, int count)
{
    // Sorted rather than compared pairwise: a calculation may have hundreds of statements.
    QVarLengthArray<qint32, 32> fields;
    for (const JournalWrite *write = first; write != first + count; ++write)
        fields.append(write->field);
    std::sort(fields.begin(), fields.end());
    return int(std::unique(fields.begin(), fields.end()) - fields.begin());
}

void JournalChanges::decode(
    qint64 id, const QString &record, QByteArrayView changes, std::vector<JournalWrite> &writes)
{
    JournalWrite write {id, record, 0, {}, {}};
    quint32 field = 0;
    while (takeNumber(changes, field) && takeText(changes, write.before)
        && takeText(changes, write.written)) {
        write.field = qint32((field >> 1) ^ (~(field & 1) + 1));
        writes.push_back(write);
    }
}
