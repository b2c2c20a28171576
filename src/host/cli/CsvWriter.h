#pragma once

#include <QStringList>

// Writes comma-separated values (RFC 4180): a value holding a comma, a quote, a line
// break or surrounding spaces is quoted with its quotes doubled; records end with CR LF.
class CsvWriter
{
public:
    static QString record(const QStringList &values);
    static QString value(const QString &value);
};
