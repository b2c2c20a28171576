#include "TextFunctions.h"

#include "Evaluator.h"
#include "FormatPattern.h"
#include "OrvantaError.h"
#include "SplitArgs.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Longest run of decimals Round builds a pattern for.
constexpr int MaxRoundDecimals = 32767;

// A count or position as the platform's 32-bit conversion reads it: half to even.
qint64 wholeNumber(const Evaluator &ev, QStringView text)
{
    double d = 0;
    ev.locale().toNumber(text, d);
    const double rounded = std::nearbyint(d);
    if (!(std::fabs(rounded) <= double(std::numeric_limits<qint32>::max())))
        throw OrvantaError(OrvantaError::Overflow);
    return qint64(rounded);
}

qint64 nonNegative(qint64 n)
{
    if (n < 0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return n;
}

Value leftOrRight(Evaluator &ev, QStringView argumentText, QLatin1StringView name, bool left)
{
    const QStringList args = SplitArgs(argumentText);
    if (args.size() != 2)
        return ev.fail("Invalid number of arguments in the "_L1 + name + " Function."_L1);
    const QString text = ev.evalToText(args[0]);
    const QString count = ev.evalToText(args[1]);
    if (!ev.locale().isNumeric(count))
        return ev.fail("The 2nd argument of the "_L1 + name + " function is not numeric!"_L1);
    const qint64 n = nonNegative(wholeNumber(ev, count));
    return Value::text(left ? text.left(n) : text.right(n));
}

Value Left(Evaluator &ev, QStringView argumentText)
{
    return leftOrRight(ev, argumentText, "Left"_L1, true);
}

Value Right(Evaluator &ev, QStringView argumentText)
{
    return leftOrRight(ev, argumentText, "Right"_L1, false);
}

Value Mid(Evaluator &ev, QStringView argumentText)
{
    const QStringList args = SplitArgs(argumentText);
    if (args.size() != 2 && args.size() != 3)
        return ev.fail(u"Invalid number of arguments in the Mid Function."_s);
    QStringList texts;
    for (const QString &arg : args)
        texts.append(ev.evalToText(arg));
    if (!ev.locale().isNumeric(texts[1]))
        return ev.fail(u"The 2nd argument of the Mid function is not numeric!"_s);
    if (texts.size() == 3 && !ev.locale().isNumeric(texts[2]))
        return ev.fail(u"The 3rd argument of the Mid function is not numeric!"_s);
    const qint64 start = wholeNumber(ev, texts[1]);
    if (start < 1)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    const qint64 length = texts.size() == 3 ? nonNegative(wholeNumber(ev, texts[2])) : -1;
    const QString &text = texts[0];
    if (start > text.size())
        return Value::text(QString());
    return Value::text(text.mid(start - 1, length));
}

Value Round(Evaluator &ev, QStringView argumentText)
{
    const QStringList args = SplitArgs(argumentText);
    if (args.size() != 2)
        return ev.fail(u"Invalid number of arguments in the Round Function."_s);
    const QString number = ev.evalToText(args[0]);
    // The decimals are taken as written: Round(x;1+1) is not numeric.
    const QString &decimalsText = args[1];
    if (!ev.locale().isNumeric(number))
        return ev.fail(u"The first argument of the Round function is not numeric."_s);
    if (!ev.locale().isNumeric(decimalsText))
        return ev.fail(u"The second argument of the Round function is not numeric."_s);
    const qint64 decimals = nonNegative(wholeNumber(ev, decimalsText));
    if (decimals > MaxRoundDecimals)
        throw OrvantaError(OrvantaError::Overflow);
    const QString pattern = "0."_L1 + QString(decimals, u'0');
    return Value::text(FormatPattern::format(number, pattern, ev.locale()));
}

Value Format(Evaluator &ev, QStringView argumentText)
{
    const QStringList args = SplitArgs(argumentText);
    if (args.size() != 2)
        return ev.fail(u"Invalid number of arguments in the Format Function."_s);
    const QString value = ev.evalToText(args[0]);
    QString pattern = args[1];
    pattern.remove(u'"');
    ev.state().FormatMode = true;
    return Value::text(FormatPattern::format(value, pattern, ev.locale()));
}

constexpr FunctionEntry entries[] = {
    FunctionEntry::argumentList("left"_L1, Left),
    FunctionEntry::argumentList("right"_L1, Right),
    FunctionEntry::argumentList("mid"_L1, Mid),
    FunctionEntry::argumentList("round"_L1, Round),
    FunctionEntry::argumentList("format"_L1, Format),
};

} // namespace

std::span<const FunctionEntry> textFunctions()
{
    return entries;
}
