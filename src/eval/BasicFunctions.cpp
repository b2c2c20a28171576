#include "BasicFunctions.h"

#include "DateSerial.h"
#include "Evaluator.h"
#include "OrvantaError.h"
#include "TextScan.h"
#include "VariantMath.h"
#include "Windows1252.h"

#include <cmath>

namespace {

using NumberType = Value::NumberType;

double numberOf(Evaluator &ev, const Value &x)
{
    double d = 0.0;
    if (int error = VariantMath::toDouble(x, ev.locale(), d))
        throw OrvantaError(error);
    return d;
}

qint32 longOf(Evaluator &ev, const Value &x)
{
    qint32 n = 0;
    if (int error = VariantMath::toLong(x, ev.locale(), n))
        throw OrvantaError(error);
    return n;
}

QString textOf(Evaluator &ev, const Value &x)
{
    return x.isText() ? x.text() : ev.locale().toText(x);
}

Value integer(int n)
{
    return Value::number(n, NumberType::Integer);
}

// The date functions read text by the locale's date rules and a number as a day count.
double serialOf(Evaluator &ev, const Value &x)
{
    double serial = 0.0;
    if (x.isText() && !ev.locale().toDate(x.text(), serial)
        && !ev.locale().toNumber(x.text(), serial))
        throw OrvantaError(OrvantaError::TypeMismatch);
    if (!x.isText())
        serial = x.number();
    if (!DateSerial::inRange(serial))
        throw OrvantaError(OrvantaError::Overflow);
    return serial;
}

DateSerial::Parts partsOf(Evaluator &ev, const Value &x)
{
    return DateSerial::toParts(serialOf(ev, x));
}

double daySerial(const QDate &date)
{
    double serial = 0.0;
    DateSerial::fromDate(date.year(), date.month(), date.day(), serial);
    return serial;
}

double timeSerial(const QTime &time)
{
    return DateSerial::fromTime(time.hour(), time.minute(), time.second());
}

Value fnAbs(Evaluator &ev, const Value &x)
{
    switch (x.kind()) {
    case Value::Kind::Number:
        return Value::number(std::fabs(x.number()), x.numberType());
    case Value::Kind::Date:
        return Value::date(std::fabs(x.number()));
    case Value::Kind::Empty:
    case Value::Kind::Logical:
        return integer(int(std::fabs(x.number())));
    case Value::Kind::Text:
        break;
    }
    return Value::number(std::fabs(numberOf(ev, x)));
}

Value fnSgn(Evaluator &ev, const Value &x)
{
    const double d = numberOf(ev, x);
    return integer(d < 0 ? -1 : (d > 0 ? 1 : 0));
}

Value fnSqr(Evaluator &ev, const Value &x)
{
    const double d = numberOf(ev, x);
    if (d < 0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return Value::number(std::sqrt(d));
}

Value fnInt(Evaluator &ev, const Value &x)
{
    switch (x.kind()) {
    case Value::Kind::Number:
        return Value::number(std::floor(x.number()), x.numberType());
    case Value::Kind::Date:
        return Value::date(std::floor(x.number()));
    case Value::Kind::Empty:
    case Value::Kind::Logical:
        return integer(int(x.number()));
    case Value::Kind::Text:
        break;
    }
    return Value::number(std::floor(numberOf(ev, x)));
}

Value fnDay(Evaluator &ev, const Value &x)
{
    return integer(partsOf(ev, x).day);
}

Value fnMonth(Evaluator &ev, const Value &x)
{
    return integer(partsOf(ev, x).month);
}

Value fnMonthName(Evaluator &ev, const Value &x)
{
    return Value::text(ev.locale().monthName(partsOf(ev, x).month));
}

Value fnYear(Evaluator &ev, const Value &x)
{
    return integer(partsOf(ev, x).year);
}

Value fnWeekday(Evaluator &ev, const Value &x)
{
    return integer(DateSerial::weekday(serialOf(ev, x)));
}

Value fnWeekdayName(Evaluator &ev, const Value &x)
{
    return Value::text(ev.locale().dayName(DateSerial::weekday(serialOf(ev, x))));
}

Value fnHour(Evaluator &ev, const Value &x)
{
    return integer(partsOf(ev, x).hour);
}

Value fnMinute(Evaluator &ev, const Value &x)
{
    return integer(partsOf(ev, x).minute);
}

Value fnSecond(Evaluator &ev, const Value &x)
{
    return integer(partsOf(ev, x).second);
}

Value fnDate(Evaluator &ev, const Value &)
{
    return Value::date(daySerial(ev.currentDateTime().date()));
}

Value fnDateText(Evaluator &ev, const Value &)
{
    return Value::text(ev.currentDateTime().date().toString(QStringLiteral("MM-dd-yyyy")));
}

Value fnTime(Evaluator &ev, const Value &)
{
    return Value::date(timeSerial(ev.currentDateTime().time()));
}

Value fnTimeText(Evaluator &ev, const Value &)
{
    return Value::text(ev.currentDateTime().time().toString(QStringLiteral("HH:mm:ss")));
}

Value fnTimer(Evaluator &ev, const Value &)
{
    const float seconds = float(ev.currentDateTime().time().msecsSinceStartOfDay()) / 1000.0f;
    return Value::number(seconds, NumberType::Single);
}

Value fnNow(Evaluator &ev, const Value &)
{
    const QDateTime now = ev.currentDateTime();
    return Value::date(DateSerial::combine(daySerial(now.date()), timeSerial(now.time())));
}

Value fnLen(Evaluator &ev, const Value &x)
{
    return Value::number(double(textOf(ev, x).size()), NumberType::Long);
}

Value fnTrim(Evaluator &ev, const Value &x)
{
    return Value::text(TextScan::trimSpaces(textOf(ev, x), true, true));
}

Value fnLTrim(Evaluator &ev, const Value &x)
{
    return Value::text(TextScan::trimSpaces(textOf(ev, x), true, false));
}

Value fnRTrim(Evaluator &ev, const Value &x)
{
    return Value::text(TextScan::trimSpaces(textOf(ev, x), false, true));
}

Value fnUCase(Evaluator &ev, const Value &x)
{
    return Value::text(textOf(ev, x).toUpper());
}

Value fnLCase(Evaluator &ev, const Value &x)
{
    return Value::text(textOf(ev, x).toLower());
}

Value fnFCase(Evaluator &ev, const Value &x)
{
    return Value::text(TextScan::firstLettersUpper(textOf(ev, x)));
}

Value fnVal(Evaluator &ev, const Value &x)
{
    double d = 0.0;
    if (!TextScan::leadingNumber(textOf(ev, x), d))
        throw OrvantaError(OrvantaError::Overflow);
    return Value::number(d);
}

Value fnChr(Evaluator &ev, const Value &x)
{
    const qint32 code = longOf(ev, x);
    if (code < 0 || code > 255)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return Value::text(QString(Windows1252::toUnicode(quint8(code))));
}

Value fnAsc(Evaluator &ev, const Value &x)
{
    const QString text = textOf(ev, x);
    if (text.isEmpty())
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return integer(Windows1252::fromUnicode(text.front()));
}

Value fnSpace(Evaluator &ev, const Value &x)
{
    const qint32 count = longOf(ev, x);
    if (count < 0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    if (count > VariantMath::MaxTextLength)
        throw OrvantaError(OrvantaError::OutOfMemory);
    return Value::text(QString(count, u' '));
}

Value fnHex(Evaluator &ev, const Value &x)
{
    return Value::text(QString::number(quint32(longOf(ev, x)), 16).toUpper());
}

Value fnOct(Evaluator &ev, const Value &x)
{
    return Value::text(QString::number(quint32(longOf(ev, x)), 8));
}

Value checkedNumber(double d)
{
    if (!std::isfinite(d))
        throw OrvantaError(OrvantaError::Overflow);
    return Value::number(d);
}

Value fnSin(Evaluator &ev, const Value &x)
{
    return checkedNumber(std::sin(numberOf(ev, x)));
}

Value fnCos(Evaluator &ev, const Value &x)
{
    return checkedNumber(std::cos(numberOf(ev, x)));
}

Value fnTan(Evaluator &ev, const Value &x)
{
    return checkedNumber(std::tan(numberOf(ev, x)));
}

Value fnAtn(Evaluator &ev, const Value &x)
{
    return checkedNumber(std::atan(numberOf(ev, x)));
}

Value fnExp(Evaluator &ev, const Value &x)
{
    return checkedNumber(std::exp(numberOf(ev, x)));
}

Value fnLog(Evaluator &ev, const Value &x)
{
    const double d = numberOf(ev, x);
    if (d <= 0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return checkedNumber(std::log(d));
}

constexpr FunctionEntry single(const char *name, FunctionEntry::SingleBody body)
{
    return {QLatin1StringView(name), FunctionEntry::Arity::Single, body, nullptr};
}

const FunctionEntry entries[] = {
    single("abs", fnAbs),
    single("sgn", fnSgn),
    single("sqr", fnSqr),
    single("int", fnInt),
    single("day", fnDay),
    single("month", fnMonth),
    single("monthname", fnMonthName),
    single("year", fnYear),
    single("weekday", fnWeekday),
    single("weekdayname", fnWeekdayName),
    single("hour", fnHour),
    single("minute", fnMinute),
    single("second", fnSecond),
    single("date", fnDate),
    single("date$", fnDateText),
    single("time", fnTime),
    single("time$", fnTimeText),
    single("timer", fnTimer),
    single("now", fnNow),
    single("len", fnLen),
    single("trim", fnTrim),
    single("ltrim", fnLTrim),
    single("rtrim", fnRTrim),
    single("ucase", fnUCase),
    single("lcase", fnLCase),
    single("fcase", fnFCase),
    single("val", fnVal),
    single("chr", fnChr),
    single("asc", fnAsc),
    single("space", fnSpace),
    single("hex", fnHex),
    single("oct", fnOct),
    single("sin", fnSin),
    single("cos", fnCos),
    single("tan", fnTan),
    single("atn", fnAtn),
    single("exp", fnExp),
    single("log", fnLog),
};

} // namespace

std::span<const FunctionEntry> basicFunctions()
{
    return entries;
}
