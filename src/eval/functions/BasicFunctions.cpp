#include "BasicFunctions.h"

#include "DateSerial.h"
#include "Evaluator.h"
#include "OrvantaError.h"
#include "TextScan.h"
#include "VariantMath.h"
#include "Windows1252.h"

#include <cmath>

using namespace Qt::StringLiterals;

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

const FunctionEntry Entries[] = {
    FunctionEntry::singleArgument("abs"_L1, fnAbs),
    FunctionEntry::singleArgument("sgn"_L1, fnSgn),
    FunctionEntry::singleArgument("sqr"_L1, fnSqr),
    FunctionEntry::singleArgument("int"_L1, fnInt),
    FunctionEntry::singleArgument("day"_L1, fnDay),
    FunctionEntry::singleArgument("month"_L1, fnMonth),
    FunctionEntry::singleArgument("monthname"_L1, fnMonthName),
    FunctionEntry::singleArgument("year"_L1, fnYear),
    FunctionEntry::singleArgument("weekday"_L1, fnWeekday),
    FunctionEntry::singleArgument("weekdayname"_L1, fnWeekdayName),
    FunctionEntry::singleArgument("hour"_L1, fnHour),
    FunctionEntry::singleArgument("minute"_L1, fnMinute),
    FunctionEntry::singleArgument("second"_L1, fnSecond),
    FunctionEntry::singleArgument("date"_L1, fnDate),
    FunctionEntry::singleArgument("date$"_L1, fnDateText),
    FunctionEntry::singleArgument("time"_L1, fnTime),
    FunctionEntry::singleArgument("time$"_L1, fnTimeText),
    FunctionEntry::singleArgument("timer"_L1, fnTimer),
    FunctionEntry::singleArgument("now"_L1, fnNow),
    FunctionEntry::singleArgument("len"_L1, fnLen),
    FunctionEntry::singleArgument("trim"_L1, fnTrim),
    FunctionEntry::singleArgument("ltrim"_L1, fnLTrim),
    FunctionEntry::singleArgument("rtrim"_L1, fnRTrim),
    FunctionEntry::singleArgument("ucase"_L1, fnUCase),
    FunctionEntry::singleArgument("lcase"_L1, fnLCase),
    FunctionEntry::singleArgument("fcase"_L1, fnFCase),
    FunctionEntry::singleArgument("val"_L1, fnVal),
    FunctionEntry::singleArgument("chr"_L1, fnChr),
    FunctionEntry::singleArgument("asc"_L1, fnAsc),
    FunctionEntry::singleArgument("space"_L1, fnSpace),
    FunctionEntry::singleArgument("hex"_L1, fnHex),
    FunctionEntry::singleArgument("oct"_L1, fnOct),
    FunctionEntry::singleArgument("sin"_L1, fnSin),
    FunctionEntry::singleArgument("cos"_L1, fnCos),
    FunctionEntry::singleArgument("tan"_L1, fnTan),
    FunctionEntry::singleArgument("atn"_L1, fnAtn),
    FunctionEntry::singleArgument("exp"_L1, fnExp),
    FunctionEntry::singleArgument("log"_L1, fnLog),
};

} // namespace

std::span<const FunctionEntry> basicFunctions()
{
    return Entries;
}
