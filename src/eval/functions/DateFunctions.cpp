#include "DateFunctions.h"

#include "DateInterval.h"
#include "DateSerial.h"
#include "Dialogs.h"
#include "Evaluator.h"
#include "OrvantaError.h"
#include "SplitArgs.h"

#include <QLocale>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

struct WeekArgumentMessages
{
    QLatin1StringView dayNotNumeric;
    QLatin1StringView dayTooLarge;
    QLatin1StringView weekNotNumeric;
    QLatin1StringView weekTooLarge;
};

constexpr WeekArgumentMessages DatePartMessages {
    "The 3rd argument of the DatePart function is not numeric!"_L1,
    "The 3rd argument of the DatePart function should be between 1 and 7!"_L1,
    "The 4th argument of the DatePart function is invalid!"_L1,
    "The 4th argument of the DatePart function should be either 1,2 or 3!"_L1,
};

constexpr WeekArgumentMessages DateDiffMessages {
    "The 4th argument of the DateDiff function is invalid!"_L1,
    "The 4th argument of the DateDiff function should be between 1 and 7!"_L1,
    "The 5th argument of the DateDiff function is invalid!"_L1,
    "The 5th argument of the DateDiff function should be either 1,2 or 3!"_L1,
};

// The first day of the week and the first week of the year as given; 0 stands for the
// locale's setting.
struct WeekArguments
{
    double firstDayOfWeek = 1;
    double firstWeekOfYear = 1;
};

void evaluateAll(Evaluator &evaluator, QStringList &arguments)
{
    for (QString &argument : arguments)
        argument = evaluator.evalToText(argument);
}

// A substring test, so fragments such as "yy" or "|" pass here and fail later in the
// calendar computation, as they do in the platform.
bool isListedInterval(const QString &interval)
{
    static const QString codes = QStringLiteral("|yyyy|q|m|y|d|w|ww|h|n|s|");
    return codes.contains(interval, Qt::CaseInsensitive);
}

// Only an upper limit is checked: a negative value reaches the calendar computation.
QLatin1StringView checkOptionalNumber(const LocaleRules &rules, const QStringList &arguments,
    qsizetype index, double largest, QLatin1StringView notNumeric, QLatin1StringView tooLarge,
    double &value)
{
    if (index >= arguments.size())
        return {};
    if (!rules.toNumber(arguments[index], value))
        return notNumeric;
    if (value > largest)
        return tooLarge;
    return {};
}

// The message of the first check that fails, or an empty text.
QLatin1StringView checkWeekArguments(const LocaleRules &rules, const QStringList &arguments,
    qsizetype firstIndex, const WeekArgumentMessages &messages, WeekArguments &week)
{
    const QLatin1StringView dayProblem = checkOptionalNumber(rules, arguments, firstIndex, 7,
        messages.dayNotNumeric, messages.dayTooLarge, week.firstDayOfWeek);
    if (!dayProblem.isEmpty())
        return dayProblem;
    return checkOptionalNumber(rules, arguments, firstIndex + 1, 3, messages.weekNotNumeric,
        messages.weekTooLarge, week.firstWeekOfYear);
}

// The platform hands these over as whole numbers, rounded half to even.
int wholeNumber(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw OrvantaError(OrvantaError::Overflow);
    return int(rounded);
}

// The locale carries no week-numbering rule of its own; the countries that number weeks
// by ISO 8601 count the first week with four days, everyone else the week of 1 January.
int localeFirstWeekOfYear(const QLocale &locale)
{
    static const QLocale::Territory isoWeekTerritories[] = {
        QLocale::Austria,
        QLocale::Belgium,
        QLocale::Bulgaria,
        QLocale::Croatia,
        QLocale::Cyprus,
        QLocale::CzechRepublic,
        QLocale::Denmark,
        QLocale::Estonia,
        QLocale::Finland,
        QLocale::France,
        QLocale::Germany,
        QLocale::Greece,
        QLocale::Hungary,
        QLocale::Iceland,
        QLocale::Ireland,
        QLocale::Italy,
        QLocale::Latvia,
        QLocale::Liechtenstein,
        QLocale::Lithuania,
        QLocale::Luxembourg,
        QLocale::Malta,
        QLocale::Netherlands,
        QLocale::Norway,
        QLocale::Poland,
        QLocale::Portugal,
        QLocale::Romania,
        QLocale::Slovakia,
        QLocale::Slovenia,
        QLocale::Spain,
        QLocale::Sweden,
        QLocale::Switzerland,
        QLocale::UnitedKingdom,
    };
    for (const QLocale::Territory territory : isoWeekTerritories) {
        if (locale.territory() == territory)
            return 2;
    }
    return 1;
}

int firstDayOfWeek(const LocaleRules &rules, const WeekArguments &week)
{
    const int day = wholeNumber(week.firstDayOfWeek);
    return day == 0 ? rules.firstDayOfWeek() : day;
}

int firstWeekOfYear(const LocaleRules &rules, const WeekArguments &week)
{
    const int rule = wholeNumber(week.firstWeekOfYear);
    return rule == 0 ? localeFirstWeekOfYear(rules.locale()) : rule;
}

// Exactly "yyyy" and exactly "m" count completed periods only (letter case counts): one
// less when date2 has not yet reached date1's anniversary, or date1's day of the month.
int incompletePeriod(const QString &interval, double date1, double date2)
{
    if (interval == "yyyy"_L1) {
        const DateSerial::Parts from = DateSerial::toParts(date1);
        double anniversary = 0;
        // 29 February becomes 1 March in a year without it.
        DateSerial::fromDate(DateSerial::toParts(date2).year, from.month, from.day, anniversary);
        return date2 < anniversary ? 1 : 0;
    }
    if (interval == "m"_L1)
        return DateSerial::toParts(date2).day < DateSerial::toParts(date1).day ? 1 : 0;
    return 0;
}

Value DateAdd(Evaluator &evaluator, QStringView argumentText)
{
    QStringList arguments = SplitArgs(argumentText);
    if (arguments.size() < 3)
        return evaluator.fail("Invalid number of arguments in the DateAdd Function."_L1);
    evaluateAll(evaluator, arguments);
    const LocaleRules &rules = evaluator.locale();
    if (!isListedInterval(arguments[0]))
        return evaluator.fail("The 1st argument of the DateAdd function is invalid!"_L1);
    double number = 0;
    if (!rules.toNumber(arguments[1], number))
        return evaluator.fail("The 2nd argument of the DateAdd function is not numeric!"_L1);
    double date = 0;
    if (!rules.toDate(arguments[2], date)) {
        // This one message is shown at once and leaves ErrText as it was.
        evaluator.dialogs().inform(
            QStringLiteral("The 3rd argument of the DateAdd function is not a date!"));
        evaluator.state().ErrorFlag = true;
        return {};
    }
    return Value::date(DateInterval(arguments[0]).add(number, date));
}

Value DatePart(Evaluator &evaluator, QStringView argumentText)
{
    QStringList arguments = SplitArgs(argumentText);
    if (arguments.size() < 2)
        return evaluator.fail("Invalid number of arguments in the DatePart Function."_L1);
    evaluateAll(evaluator, arguments);
    const LocaleRules &rules = evaluator.locale();
    double date = 0;
    if (!rules.toDate(arguments[1], date))
        return evaluator.fail("The 2nd argument of the DatePart function is not a date!"_L1);
    if (!isListedInterval(arguments[0]))
        return evaluator.fail(
            "The 1st argument of the DatePart function is not a valid interval!"_L1);
    WeekArguments week;
    const QLatin1StringView problem
        = checkWeekArguments(rules, arguments, 2, DatePartMessages, week);
    if (!problem.isEmpty())
        return evaluator.fail(problem);
    const int part = DateInterval(arguments[0])
                         .part(date, firstDayOfWeek(rules, week), firstWeekOfYear(rules, week));
    return Value::number(part, Value::NumberType::Integer);
}

Value DateDiff(Evaluator &evaluator, QStringView argumentText)
{
    QStringList arguments = SplitArgs(argumentText);
    if (arguments.size() < 3)
        return evaluator.fail("Invalid number of arguments in the DateDiff Function."_L1);
    evaluateAll(evaluator, arguments);
    const LocaleRules &rules = evaluator.locale();
    double date1 = 0;
    if (!rules.toDate(arguments[1], date1))
        return evaluator.fail("The 2nd argument of the DateDiff function is not a date!"_L1);
    double date2 = 0;
    if (!rules.toDate(arguments[2], date2))
        return evaluator.fail("The 3rd argument of the DateDiff function is not a date!"_L1);
    if (!isListedInterval(arguments[0]))
        return evaluator.fail(
            "The 1st argument of the DateDiff function is not a valid interval!"_L1);
    WeekArguments week;
    const QLatin1StringView problem
        = checkWeekArguments(rules, arguments, 3, DateDiffMessages, week);
    if (!problem.isEmpty())
        return evaluator.fail(problem);
    const qint32 raw
        = DateInterval(arguments[0])
              .diff(date1, date2, firstDayOfWeek(rules, week), firstWeekOfYear(rules, week));
    return Value::number(
        double(raw) - incompletePeriod(arguments[0], date1, date2), Value::NumberType::Long);
}

// Completed years from the date to the current moment.
Value Age(Evaluator &evaluator, const Value &x)
{
    double date = 0;
    if (!evaluator.locale().toDate(evaluator.locale().toText(x), date))
        return evaluator.fail("Age requires a date value."_L1);
    const DateSerial::Parts born = DateSerial::toParts(date);
    const QDate today = evaluator.currentDateTime().date();
    const bool birthdayToCome
        = today.month() < born.month || (today.month() == born.month && today.day() < born.day);
    return Value::number(
        today.year() - born.year - (birthdayToCome ? 1 : 0), Value::NumberType::Integer);
}

} // namespace

std::span<const FunctionEntry> dateFunctions()
{
    static const FunctionEntry entries[] = {
        FunctionEntry::argumentList("dateadd"_L1, DateAdd),
        FunctionEntry::argumentList("datepart"_L1, DatePart),
        FunctionEntry::argumentList("datediff"_L1, DateDiff),
        FunctionEntry::singleArgument("age"_L1, Age),
    };
    return entries;
}
