#pragma once

#include "Value.h"

#include <QChar>
#include <QString>

// Writes numbers as the platform's CStr does, with the locale's decimal separator.
class NumberWriter
{
public:
    explicit NumberWriter(QChar decimal);

    // Up to 15 significant digits (7 for a Single), no grouping.
    QString write(double d, Value::NumberType type = Value::NumberType::Double) const;

private:
    QChar m_decimal;
};
