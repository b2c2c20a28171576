#include "CsvReader.h"

#include "OrvantaError.h"

#include <QBuffer>

namespace {
const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');
const QChar Cr = QLatin1Char('\r');
const QChar Lf = QLatin1Char('\n');
constexpr qint64 ChunkBytes = 1 << 20;
} // namespace

CsvReader::CsvReader(QIODevice &device)
    : m_device(device)
    , m_decoder(QStringConverter::Utf8)
{
}

QList<CsvReader::Record> CsvReader::read(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    QList<Record> records;
    while (std::optional<Record> record = reader.next())
        records.append(std::move(*record));
    return records;
}

std::optional<CsvReader::Record> CsvReader::next()
{
    dropReadText();
    // A blank line holds no record.
    while (has(m_pos) && atLineEnd())
        skipLineEnd();
    if (!has(m_pos))
        return std::nullopt;
    Record record {m_line, {}};
    record.values.reserve(m_width);
    for (;;) {
        const bool quoted = m_text.at(m_pos) == Quote;
        record.values.append(quoted ? readQuoted() : readPlain());
        if (!has(m_pos))
            break;
        if (atLineEnd()) {
            skipLineEnd();
            break;
        }
        ++m_pos; // the comma
        if (!has(m_pos) || atLineEnd()) {
            record.values.append(QString());
            if (has(m_pos))
                skipLineEnd();
            break;
        }
    }
    m_width = record.values.size();
    return record;
}

QString CsvReader::readQuoted()
{
    const int startLine = m_line;
    QString value;
    ++m_pos;
    for (;;) {
        if (!has(m_pos))
            fail(startLine, QStringLiteral("a quoted value is not closed"));
        const QChar c = m_text.at(m_pos++);
        if (c == Quote) {
            if (has(m_pos) && m_text.at(m_pos) == Quote) {
                value.append(Quote);
                ++m_pos;
                continue;
            }
            break;
        }
        if (c == Lf || (c == Cr && (!has(m_pos) || m_text.at(m_pos) != Lf)))
            ++m_line;
        value.append(c);
    }
    if (has(m_pos) && m_text.at(m_pos) != Comma && !atLineEnd())
        fail(m_line, QStringLiteral("text after the closing quote of a value"));
    return value;
}

QString CsvReader::readPlain()
{
    QString value;
    for (;;) {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos) != Comma && !atLineEnd()) {
            if (m_text.at(m_pos) == Quote)
                fail(m_line, QStringLiteral("a quote inside a value that is not quoted"));
            ++m_pos;
        }
        value += QStringView(m_text).mid(start, m_pos - start);
        // Stopped at a separator, or at the end of what was read so far.
        if (m_pos < m_text.size() || !has(m_pos))
            return value;
    }
}

bool CsvReader::has(qsizetype position)
{
    while (position >= m_text.size()) {
        if (m_device.atEnd())
            return false;
        const QByteArray chunk = m_device.read(ChunkBytes);
        if (chunk.isEmpty())
            return false;
        const bool first = m_device.pos() == chunk.size();
        m_text += m_decoder.decode(chunk);
        if (first && m_text.startsWith(QChar(0xFEFF)))
            m_text.remove(0, 1);
    }
    return true;
}

bool CsvReader::atLineEnd()
{
    const QChar c = m_text.at(m_pos);
    return c == Cr || c == Lf;
}

void CsvReader::skipLineEnd()
{
    if (m_text.at(m_pos) == Cr && has(m_pos + 1) && m_text.at(m_pos + 1) == Lf)
        ++m_pos;
    ++m_pos;
    ++m_line;
}

// What was read is dropped once it is a chunk long, so the text held stays small.
void CsvReader::dropReadText()
{
    if (m_pos < ChunkBytes)
        return;
    m_text.remove(0, m_pos);
    m_pos = 0;
}

void CsvReader::fail(int line, const QString &what) const
{
    throw OrvantaError(
        OrvantaError::InvalidProcedureCall, QStringLiteral("line %1: %2").arg(line).arg(what));
}
