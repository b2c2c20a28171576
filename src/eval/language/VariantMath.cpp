#include "VariantMath.h"

#include "DateSerial.h"
#include "LocaleRules.h"
#include "OrvantaError.h"

#include <cmath>

namespace VariantMath {

namespace {

int numberResult(double d, Value &out)
{
    if (!std::isfinite(d))
        return OrvantaError::Overflow;
    out = Value::number(d);
    return 0;
}

int dateResult(double serial, Value &out)
{
    if (!DateSerial::inRange(serial))
        return OrvantaError::Overflow;
    out = Value::date(serial);
    return 0;
}

// Both sides as doubles, or the first conversion failure.
int toDoubles(const Value &a, const Value &b, const LocaleRules &rules, double &x, double &y)
{
    if (int error = toDouble(a, rules, x))
        return error;
    return toDouble(b, rules, y);
}

int textOrder(QStringView a, QStringView b)
{
    const int order = a.compare(b, Qt::CaseSensitive);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// -1, 0 or 1. Empty reads as "" beside a text and as 0 beside anything else; any number,
// date or logical sorts before any text.
int order(const Value &a, const Value &b)
{
    const bool aText = a.isText() || (a.isEmpty() && b.isText());
    const bool bText = b.isText() || (b.isEmpty() && a.isText());
    if (aText && bText)
        return textOrder(a.text(), b.text());
    if (aText)
        return 1;
    if (bText)
        return -1;
    const double x = a.number();
    const double y = b.number();
    return x < y ? -1 : (x > y ? 1 : 0);
}

qint32 applyLogic(qint32 x, qint32 y, Logic op)
{
    switch (op) {
    case Logic::And:
        return x & y;
    case Logic::Or:
        return x | y;
    case Logic::Xor:
        return x ^ y;
    case Logic::Eqv:
        return ~(x ^ y);
    case Logic::Imp:
        return ~x | y;
    }
    return 0;
}

} // namespace

bool isNumeric(const Value &v, const LocaleRules &rules)
{
    switch (v.kind()) {
    case Value::Kind::Empty:
    case Value::Kind::Number:
    case Value::Kind::Logical:
        return true;
    case Value::Kind::Date:
        return false;
    case Value::Kind::Text:
        return rules.isNumeric(v.text());
    }
    return false;
}

bool isBlank(const Value &v)
{
    return v.isEmpty() || (v.isText() && v.text().isEmpty());
}

int toDouble(const Value &v, const LocaleRules &rules, double &out)
{
    if (!v.isText()) {
        out = v.number();
        return 0;
    }
    return rules.toNumber(v.text(), out) ? 0 : int(OrvantaError::TypeMismatch);
}

int toLong(const Value &v, const LocaleRules &rules, qint32 &out)
{
    double d = 0.0;
    if (int error = toDouble(v, rules, d))
        return error;
    return toLong(d, out);
}

int toLong(double d, qint32 &out)
{
    const double rounded = std::nearbyint(d);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        return OrvantaError::Overflow;
    out = qint32(rounded);
    return 0;
}

int add(const Value &a, const Value &b, const LocaleRules &rules, Value &out)
{
    if (a.isEmpty() && b.isEmpty()) {
        out = Value::number(0.0, Value::NumberType::Integer);
        return 0;
    }
    if (a.isEmpty() || b.isEmpty()) {
        out = a.isEmpty() ? b : a;
        return 0;
    }
    if (a.isText() && b.isText())
        return join(a, b, rules, out);
    double x = 0.0;
    double y = 0.0;
    if (int error = toDoubles(a, b, rules, x, y))
        return error;
    if (a.isDate() || b.isDate())
        return dateResult(x + y, out);
    return numberResult(x + y, out);
}

int join(const Value &a, const Value &b, const LocaleRules &rules, Value &out)
{
    QString left = a.isText() ? a.text() : rules.toText(a);
    QString right = b.isText() ? b.text() : rules.toText(b);
    if (left.size() + right.size() > MaxTextLength)
        return OrvantaError::OutOfMemory;
    // An empty side (the usual Empty closed sum) shares the other text instead of copying.
    if (left.isEmpty())
        left = std::move(right);
    else
        left += right;
    out = Value::text(std::move(left));
    return 0;
}

int multiply(const Value &a, const Value &b, const LocaleRules &rules, Value &out)
{
    double x = 0.0;
    double y = 0.0;
    if (int error = toDoubles(a, b, rules, x, y))
        return error;
    return numberResult(x * y, out);
}

int divide(const Value &a, const Value &b, const LocaleRules &rules, Value &out)
{
    double x = 0.0;
    double y = 0.0;
    if (int error = toDoubles(a, b, rules, x, y))
        return error;
    if (y == 0.0)
        return x == 0.0 ? int(OrvantaError::Overflow) : int(OrvantaError::DivisionByZero);
    return numberResult(x / y, out);
}

int power(const Value &a, const Value &b, const LocaleRules &rules, Value &out)
{
    double x = 0.0;
    double y = 0.0;
    if (int error = toDoubles(a, b, rules, x, y))
        return error;
    const double result = std::pow(x, y);
    if (std::isnan(result))
        return OrvantaError::InvalidProcedureCall;
    return numberResult(result, out);
}

bool compare(const Value &a, const Value &b, Comparison op)
{
    const int o = order(a, b);
    switch (op) {
    case Comparison::Equal:
        return o == 0;
    case Comparison::Less:
        return o < 0;
    case Comparison::Greater:
        return o > 0;
    case Comparison::LessOrEqual:
        return o <= 0;
    case Comparison::GreaterOrEqual:
        return o >= 0;
    case Comparison::NotEqual:
        return o != 0;
    }
    return false;
}

int logic(const Value &a, const Value &b, Logic op, const LocaleRules &rules, Value &out)
{
    if (a.isLogical() && b.isLogical()) {
        out = Value::logical(applyLogic(a.logical() ? -1 : 0, b.logical() ? -1 : 0, op) != 0);
        return 0;
    }
    qint32 x = 0;
    qint32 y = 0;
    if (int error = toLong(a, rules, x))
        return error;
    if (int error = toLong(b, rules, y))
        return error;
    out = Value::number(applyLogic(x, y, op), Value::NumberType::Long);
    return 0;
}

int negate(const Value &v, const LocaleRules &rules, Value &out)
{
    if (v.isLogical()) {
        out = Value::logical(!v.logical());
        return 0;
    }
    qint32 x = 0;
    if (int error = toLong(v, rules, x))
        return error;
    out = Value::number(~x, Value::NumberType::Long);
    return 0;
}

int round8(const Value &v, const LocaleRules &rules, Value &out)
{
    switch (v.kind()) {
    case Value::Kind::Date:
        out = Value::date(roundHalfEven(v.number(), 8));
        return 0;
    case Value::Kind::Number:
        out = Value::number(roundHalfEven(v.number(), 8), v.numberType());
        return 0;
    case Value::Kind::Empty:
    case Value::Kind::Logical:
        out = Value::number(v.number(), Value::NumberType::Integer);
        return 0;
    case Value::Kind::Text:
        break;
    }
    double d = 0.0;
    if (!rules.toNumber(v.text(), d))
        return OrvantaError::TypeMismatch;
    out = Value::number(roundHalfEven(d, 8));
    return 0;
}

double roundHalfEven(double d, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = d * scale;
    if (!std::isfinite(scaled))
        return d;
    const double floor = std::floor(scaled);
    if (floor == scaled)
        return d;
    const double rest = scaled - floor;
    double rounded = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    return rounded / scale;
}

} // namespace VariantMath
