#include "NumberWriter.h"

#include <charconv>
#include <cmath>

NumberWriter::NumberWriter(QChar decimal)
    : m_decimal(decimal)
{
}

// As the platform's CStr: 15 significant digits (7 for a Single), exponent form from
// 1E+15 and below 1E-04 as C's %G, the locale's decimal separator, no grouping.
QString NumberWriter::write(double d, Value::NumberType type) const
{
    if (std::isnan(d))
        return QStringLiteral("-1.#IND");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    if (d == 0)
        return QStringLiteral("0");

    char digits[40];
    char *const last = digits + sizeof digits;
    std::to_chars_result result;
    const bool whole = type == Value::NumberType::Integer || type == Value::NumberType::Long;
    const float single = float(d);
    if (whole && std::fabs(d) < 9.0e18)
        result = std::to_chars(digits, last, qint64(std::nearbyint(d)));
    else if (type == Value::NumberType::Single && std::isfinite(single))
        result = std::to_chars(digits, last, single, std::chars_format::general, 7);
    else
        result = std::to_chars(digits, last, d, std::chars_format::general, 15);

    QString text(result.ptr - digits, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char *p = digits; p != result.ptr; ++p, ++out) {
        if (*p == '.')
            *out = m_decimal;
        else
            *out = QChar(char16_t(*p == 'e' ? 'E' : *p));
    }
    return text;
}
