#include "TextFunctions.h"

#include "Evaluator.h"
#include "FormatPattern.h"
#include "FunctionArguments.h"
#include "OrvantaError.h"

using namespace Qt::StringLiterals;

namespace {

// Longest run of decimals Round builds a pattern for.
constexpr int MaxRoundDecimals = 32767;

qint64 nonNegative(qint64 n)
{
    if (n < 0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return n;
}

Value leftOrRight(Evaluator &ev, QStringView argumentText, QLatin1StringView name, bool left)
{
    FunctionArguments args(ev, argumentText, name);
    args.requireCount(2, 2);
    args.evaluateAll();
    const qint64 n = nonNegative(FunctionArguments::wholeNumber(args.number(1)));
    return Value::text(left ? args[0].left(n) : args[0].right(n));
}

Value fnLeft(Evaluator &ev, QStringView argumentText)
{
    return leftOrRight(ev, argumentText, "Left"_L1, true);
}

Value fnRight(Evaluator &ev, QStringView argumentText)
{
    return leftOrRight(ev, argumentText, "Right"_L1, false);
}

Value fnMid(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, "Mid"_L1);
    args.requireCount(2, 3);
    args.evaluateAll();
    const double startNumber = args.number(1);
    const double lengthNumber = args.size() == 3 ? args.number(2) : 0.0;
    const qint64 start = FunctionArguments::wholeNumber(startNumber);
    if (start < 1)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    const qint64 length
        = args.size() == 3 ? nonNegative(FunctionArguments::wholeNumber(lengthNumber)) : -1;
    const QString &text = args[0];
    if (start > text.size())
        return Value::text(QString());
    return Value::text(text.mid(start - 1, length));
}

Value fnRound(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, "Round"_L1);
    args.requireCount(2, 2);
    const QString number = ev.evalToText(args[0]);
    // The decimals are taken as written: Round(x;1+1) is not numeric.
    const QString &decimalsText = args[1];
    double decimalsNumber = 0.0;
    if (!ev.locale().isNumeric(number))
        FunctionArguments::reject(u"The first argument of the Round function is not numeric."_s);
    if (!ev.locale().toNumber(decimalsText, decimalsNumber))
        FunctionArguments::reject(u"The second argument of the Round function is not numeric."_s);
    const qint64 decimals = nonNegative(FunctionArguments::wholeNumber(decimalsNumber));
    if (decimals > MaxRoundDecimals)
        throw OrvantaError(OrvantaError::Overflow);
    const QString pattern = "0."_L1 + QString(decimals, u'0');
    return Value::text(FormatPattern::format(number, pattern, ev.locale()));
}

Value fnFormat(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, "Format"_L1);
    args.requireCount(2, 2);
    const QString value = ev.evalToText(args[0]);
    QString pattern = args[1];
    pattern.remove(u'"');
    ev.state().FormatMode = true;
    return Value::text(FormatPattern::format(value, pattern, ev.locale()));
}

const FunctionEntry Entries[] = {
    FunctionEntry::argumentList("left"_L1, fnLeft),
    FunctionEntry::argumentList("right"_L1, fnRight),
    FunctionEntry::argumentList("mid"_L1, fnMid),
    FunctionEntry::argumentList("round"_L1, fnRound),
    FunctionEntry::argumentList("format"_L1, fnFormat),
};

} // namespace

std::span<const FunctionEntry> textFunctions()
{
    return Entries;
}
