#include "CsvReader.h"

#include "OrvantaError.h"

namespace {
const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');
const QChar Cr = QLatin1Char('\r');
const QChar Lf = QLatin1Char('\n');
const QChar ByteOrderMark = QChar(0xFEFF);
} // namespace

QList<CsvReader::Record> CsvReader::read(const QString &text)
{
    return CsvReader(text).readAll();
}

CsvReader::CsvReader(const QString &text)
    : m_text(text)
{
    if (m_text.startsWith(ByteOrderMark))
        m_pos = 1;
}

QList<CsvReader::Record> CsvReader::readAll()
{
    QList<Record> records;
    while (m_pos < m_text.size()) {
        if (atLineEnd()) {
            // A blank line holds no record.
            skipLineEnd();
            continue;
        }
        Record record {m_line, {}};
        for (;;) {
            const bool quoted = m_text.at(m_pos) == Quote;
            record.values.append(quoted ? readQuoted() : readPlain());
            if (m_pos >= m_text.size())
                break;
            if (atLineEnd()) {
                skipLineEnd();
                break;
            }
            ++m_pos; // the comma
            if (m_pos >= m_text.size() || atLineEnd()) {
                record.values.append(QString());
                if (m_pos < m_text.size())
                    skipLineEnd();
                break;
            }
        }
        records.append(record);
    }
    return records;
}

QString CsvReader::readQuoted()
{
    const int startLine = m_line;
    QString value;
    ++m_pos;
    for (;;) {
        if (m_pos >= m_text.size())
            fail(startLine, QStringLiteral("a quoted value is not closed"));
        const QChar c = m_text.at(m_pos++);
        if (c == Quote) {
            if (m_pos < m_text.size() && m_text.at(m_pos) == Quote) {
                value.append(Quote);
                ++m_pos;
                continue;
            }
            break;
        }
        if (c == Lf || (c == Cr && (m_pos >= m_text.size() || m_text.at(m_pos) != Lf)))
            ++m_line;
        value.append(c);
    }
    if (m_pos < m_text.size() && m_text.at(m_pos) != Comma && !atLineEnd())
        fail(m_line, QStringLiteral("text after the closing quote of a value"));
    return value;
}

QString CsvReader::readPlain()
{
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && m_text.at(m_pos) != Comma && !atLineEnd()) {
        if (m_text.at(m_pos) == Quote)
            fail(m_line, QStringLiteral("a quote inside a value that is not quoted"));
        ++m_pos;
    }
    return m_text.mid(start, m_pos - start);
}

bool CsvReader::atLineEnd() const
{
    const QChar c = m_text.at(m_pos);
    return c == Cr || c == Lf;
}

void CsvReader::skipLineEnd()
{
    if (m_text.at(m_pos) == Cr && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == Lf)
        ++m_pos;
    ++m_pos;
    ++m_line;
}

void CsvReader::fail(int line, const QString &what) const
{
    throw OrvantaError(
        OrvantaError::InvalidProcedureCall, QStringLiteral("line %1: %2").arg(line).arg(what));
}
