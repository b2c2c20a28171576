#include "CsvWriter.h"

QString CsvWriter::record(const QStringList &values)
{
    QStringList quoted;
    quoted.reserve(values.size());
    for (const QString &v : values)
        quoted.append(value(v));
    return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QString CsvWriter::value(const QString &value)
{
    const bool needsQuotes = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
        || value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n'))
        || value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '));
    if (!needsQuotes)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
