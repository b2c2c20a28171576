#include "StatisticalFunctions.h"

#include "Evaluator.h"
#include "FunctionArguments.h"
#include "OrvantaError.h"
#include "SplitArgs.h"
#include "VariantMath.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Min and Max start from this number; a value equal to it counts as no value at all.
constexpr double NoValueYet = -98347874.234234;
// Counts are 16-bit integers.
constexpr int LargestCount = 32767;

enum class CountMode { NonEmpty = 0, Numeric = 1, Empty = 2 };

QStringList evaluatedTexts(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, {});
    args.evaluateAll();
    return args.texts();
}

// A value read as a Boolean: numbers are true when not 0, the words True and False in any
// case, Empty is false. Anything else does not read as true or false.
std::optional<bool> truthOf(const Value &value, const LocaleRules &rules)
{
    switch (value.kind()) {
    case Value::Kind::Empty:
        return false;
    case Value::Kind::Number:
    case Value::Kind::Date:
    case Value::Kind::Logical:
        return value.number() != 0.0;
    case Value::Kind::Text:
        break;
    }
    const QString &text = value.text();
    if (text.compare("True"_L1, Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare("False"_L1, Qt::CaseInsensitive) == 0)
        return false;
    double number = 0.0;
    if (rules.toNumber(text, number))
        return number != 0.0;
    return std::nullopt;
}

// A CountIf test is a comparison, true (-1) or false (0). Anything else does not read as
// true or false: an unquoted criterion such as >5 evaluates to 0 before the value is put
// in front of it, so 3 joined with it is the number 30.
bool comparisonOutcome(const Value &value, const LocaleRules &rules)
{
    const std::optional<bool> truth = truthOf(value, rules);
    double number = 0.0;
    if (value.isText())
        rules.toNumber(value.text(), number);
    else
        number = value.number();
    if (!truth || (number != 0.0 && number != -1.0))
        throw OrvantaError(OrvantaError::TypeMismatch);
    return *truth;
}

void addOneTo(int &count)
{
    if (++count > LargestCount)
        throw OrvantaError(OrvantaError::Overflow);
}

Value countText(Evaluator &ev, int count)
{
    return Value::text(ev.locale().numberToText(count, Value::NumberType::Integer));
}

Value fnIf(Evaluator &ev, QStringView argumentText)
{
    QStringList args = SplitArgs(argumentText);
    if (args.size() < 2)
        FunctionArguments::reject(u"The if function requires at least 2 arguments."_s);
    // The target field is read from the host at most once, and only when a branch needs it.
    std::optional<QString> target;
    const auto targetText = [&] {
        if (!target)
            target = ev.targetFieldText();
        return *target;
    };
    if (args.size() == 2)
        args.append(targetText());
    for (int branch : {1, 2}) {
        if (args[branch].isEmpty())
            args[branch] = targetText();
    }

    ev.state().InIfCondition = true;
    std::optional<bool> condition;
    try {
        condition = truthOf(ev.Eval(args[0]), ev.locale());
    } catch (const OrvantaError &) {
        // a condition that cannot even be evaluated is just as invalid
    }
    if (!condition)
        FunctionArguments::reject(args[0] + " is an invalid condition for the If function."_L1);
    if (*condition)
        return Value::text(ev.evalToText(args[1]));
    if (args[2].isEmpty())
        return Value::text(QString());
    return Value::text(ev.evalToText(args[2]));
}

Value minMax(Evaluator &ev, QStringView argumentText, bool largest)
{
    const QStringList texts = evaluatedTexts(ev, argumentText);
    double current = NoValueYet;
    for (const QString &text : texts) {
        double number = 0.0;
        if (!ev.locale().toNumber(text, number))
            continue;
        if (current == NoValueYet || (largest ? number > current : number < current))
            current = number;
    }
    return Value::text(ev.locale().numberToText(current));
}

Value fnMin(Evaluator &ev, QStringView argumentText)
{
    return minMax(ev, argumentText, false);
}

Value fnMax(Evaluator &ev, QStringView argumentText)
{
    return minMax(ev, argumentText, true);
}

// Compared by character code, so empty values are taken too: an empty current text takes
// whatever comes next.
Value minMaxC(Evaluator &ev, QStringView argumentText, bool last)
{
    const QStringList texts = evaluatedTexts(ev, argumentText);
    QString current;
    for (const QString &text : texts) {
        if (current.isEmpty() || (last ? text > current : text < current))
            current = text;
    }
    return Value::text(current);
}

Value fnMinC(Evaluator &ev, QStringView argumentText)
{
    return minMaxC(ev, argumentText, false);
}

Value fnMaxC(Evaluator &ev, QStringView argumentText)
{
    return minMaxC(ev, argumentText, true);
}

bool counts(const QString &text, CountMode mode, const LocaleRules &rules)
{
    switch (mode) {
    case CountMode::Numeric:
        return rules.isNumeric(text);
    case CountMode::NonEmpty:
        return !text.isEmpty();
    case CountMode::Empty:
        return text.isEmpty();
    }
    return false;
}

Value countValues(Evaluator &ev, QStringView argumentText, CountMode mode)
{
    const QStringList texts = evaluatedTexts(ev, argumentText);
    int count = 0;
    for (const QString &text : texts) {
        if (counts(text, mode, ev.locale()))
            addOneTo(count);
    }
    return countText(ev, count);
}

Value fnCount(Evaluator &ev, QStringView argumentText)
{
    return countValues(ev, argumentText, CountMode::Numeric);
}

Value fnCountC(Evaluator &ev, QStringView argumentText)
{
    return countValues(ev, argumentText, CountMode::NonEmpty);
}

Value fnCountBlank(Evaluator &ev, QStringView argumentText)
{
    return countValues(ev, argumentText, CountMode::Empty);
}

Value fnCountIf(Evaluator &ev, QStringView argumentText)
{
    const QStringList texts = evaluatedTexts(ev, argumentText);
    const QString &criterion = texts.first();
    int count = 0;
    for (qsizetype i = 1; i < texts.size(); ++i) {
        const QString test = texts[i] + criterion;
        if (comparisonOutcome(ev.Eval(test), ev.locale()))
            addOneTo(count);
    }
    return countText(ev, count);
}

Value fnAvg(Evaluator &ev, QStringView argumentText)
{
    const QStringList texts = evaluatedTexts(ev, argumentText);
    double sum = 0.0;
    int numeric = 0;
    for (const QString &text : texts) {
        double number = 0.0;
        if (ev.locale().toNumber(text, number)) {
            sum += number;
            ++numeric;
        }
    }
    // The platform reports 0 / 0 as an overflow.
    if (numeric == 0)
        throw OrvantaError(OrvantaError::Overflow);
    return Value::text(ev.locale().numberToText(sum / numeric));
}

struct Ranked
{
    double number;
    QString text;
};

Value largeSmall(Evaluator &ev, QStringView argumentText, bool descending)
{
    const QStringList args = SplitArgs(argumentText);
    // The position is taken as written: Large(1+1;...) is not the second largest.
    const QString &position = args.first();
    double k = 0.0;
    if (!ev.locale().toNumber(position, k) || k < 0.0)
        FunctionArguments::reject("Invalid position specified: "_L1 + position);

    std::vector<Ranked> ranked;
    for (qsizetype i = 1; i < args.size(); ++i) {
        QString text = ev.evalToText(args[i]);
        double number = 0.0;
        if (ev.locale().toNumber(text, number))
            ranked.push_back({number, std::move(text)});
    }
    // Nothing numeric leaves nothing to sort: the ranking has no elements at all.
    if (ranked.empty())
        throw OrvantaError(OrvantaError::SubscriptOutOfRange);
    std::stable_sort(ranked.begin(), ranked.end(), [descending](const Ranked &a, const Ranked &b) {
        return descending ? a.number > b.number : a.number < b.number;
    });

    const double index = VariantMath::roundHalfEven(k - 1.0, 0);
    if (index < 0.0 || index >= static_cast<double>(ranked.size()))
        FunctionArguments::reject("The specified position "_L1 + position + " does not exist!"_L1);
    return Value::text(ranked[static_cast<std::size_t>(index)].text);
}

Value fnLarge(Evaluator &ev, QStringView argumentText)
{
    return largeSmall(ev, argumentText, true);
}

Value fnSmall(Evaluator &ev, QStringView argumentText)
{
    return largeSmall(ev, argumentText, false);
}

const FunctionEntry Entries[] = {
    FunctionEntry::argumentList("if"_L1, fnIf),
    FunctionEntry::argumentList("min"_L1, fnMin),
    FunctionEntry::argumentList("max"_L1, fnMax),
    FunctionEntry::argumentList("minc"_L1, fnMinC),
    FunctionEntry::argumentList("maxc"_L1, fnMaxC),
    FunctionEntry::argumentList("count"_L1, fnCount),
    FunctionEntry::argumentList("countc"_L1, fnCountC),
    FunctionEntry::argumentList("countblank"_L1, fnCountBlank),
    FunctionEntry::argumentList("countif"_L1, fnCountIf),
    FunctionEntry::argumentList("avg"_L1, fnAvg),
    FunctionEntry::argumentList("large"_L1, fnLarge),
    FunctionEntry::argumentList("small"_L1, fnSmall),
};

} // namespace

std::span<const FunctionEntry> statisticalFunctions()
{
    return Entries;
}
