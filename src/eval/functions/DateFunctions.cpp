#include "DateFunctions.h"

#include "DateInterval.h"
#include "DateSerial.h"
#include "Dialogs.h"
#include "Evaluator.h"
#include "FunctionArguments.h"
#include "OrvantaError.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

// The first day of the week and the first week of the year as given; 0 stands for the
// locale's setting.
struct WeekArguments
{
    double firstDayOfWeek = 1;
    double firstWeekOfYear = 1;
};

// A substring test, so fragments such as "yy" or "|" pass here and fail later in the
// calendar computation, as they do in the platform.
bool isListedInterval(const QString &interval)
{
    static const QString codes = QStringLiteral("|yyyy|q|m|y|d|w|ww|h|n|s|");
    return codes.contains(interval, Qt::CaseInsensitive);
}

// Only an upper limit is checked: a negative value reaches the calendar computation.
double optionalNumber(const FunctionArguments &args, const LocaleRules &rules, qsizetype index,
    double largest, QLatin1StringView notNumeric, QLatin1StringView tooLarge)
{
    double value = 1;
    if (index >= args.size())
        return value;
    if (!rules.toNumber(args[index], value))
        args.reject(index, notNumeric);
    if (value > largest)
        args.reject(index, tooLarge);
    return value;
}

// The first day of the week at index, then the first week of the year. DatePart calls a
// first day that is no number "not numeric", DateDiff "invalid".
WeekArguments weekArguments(const FunctionArguments &args, const LocaleRules &rules,
    qsizetype index, QLatin1StringView dayNotNumeric)
{
    WeekArguments week;
    week.firstDayOfWeek
        = optionalNumber(args, rules, index, 7, dayNotNumeric, "should be between 1 and 7!"_L1);
    week.firstWeekOfYear = optionalNumber(
        args, rules, index + 1, 3, "is invalid!"_L1, "should be either 1,2 or 3!"_L1);
    return week;
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
    const int day = FunctionArguments::wholeNumber(week.firstDayOfWeek);
    return day == 0 ? rules.firstDayOfWeek() : day;
}

int firstWeekOfYear(const LocaleRules &rules, const WeekArguments &week)
{
    const int rule = FunctionArguments::wholeNumber(week.firstWeekOfYear);
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

Value fnDateAdd(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, "DateAdd"_L1);
    args.requireCount(3);
    args.evaluateAll();
    if (!isListedInterval(args[0]))
        args.reject(0, "is invalid!"_L1);
    const double number = args.number(1);
    double date = 0;
    if (!ev.locale().toDate(args[2], date)) {
        // This one message is shown at once and leaves ErrText as it was.
        ev.dialogs().inform(
            QStringLiteral("The 3rd argument of the DateAdd function is not a date!"));
        ev.state().ErrorFlag = true;
        return {};
    }
    return Value::date(DateInterval(args[0]).add(number, date));
}

Value fnDatePart(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, "DatePart"_L1);
    args.requireCount(2);
    args.evaluateAll();
    const double date = args.date(1);
    if (!isListedInterval(args[0]))
        args.reject(0, "is not a valid interval!"_L1);
    const LocaleRules &rules = ev.locale();
    const WeekArguments week = weekArguments(args, rules, 2, "is not numeric!"_L1);
    const int part = DateInterval(args[0]).part(
        date, firstDayOfWeek(rules, week), firstWeekOfYear(rules, week));
    return Value::number(part, Value::NumberType::Integer);
}

Value fnDateDiff(Evaluator &ev, QStringView argumentText)
{
    FunctionArguments args(ev, argumentText, "DateDiff"_L1);
    args.requireCount(3);
    args.evaluateAll();
    const double date1 = args.date(1);
    const double date2 = args.date(2);
    if (!isListedInterval(args[0]))
        args.reject(0, "is not a valid interval!"_L1);
    const LocaleRules &rules = ev.locale();
    const WeekArguments week = weekArguments(args, rules, 3, "is invalid!"_L1);
    const qint32 raw = DateInterval(args[0]).diff(
        date1, date2, firstDayOfWeek(rules, week), firstWeekOfYear(rules, week));
    return Value::number(
        double(raw) - incompletePeriod(args[0], date1, date2), Value::NumberType::Long);
}

// Completed years from the date to the current moment.
Value fnAge(Evaluator &ev, const Value &x)
{
    double date = 0;
    if (!ev.locale().toDate(ev.locale().toText(x), date))
        return ev.fail("Age requires a date value."_L1);
    const DateSerial::Parts born = DateSerial::toParts(date);
    const QDate today = ev.currentDateTime().date();
    const bool birthdayToCome
        = today.month() < born.month || (today.month() == born.month && today.day() < born.day);
    return Value::number(
        today.year() - born.year - (birthdayToCome ? 1 : 0), Value::NumberType::Integer);
}

const FunctionEntry Entries[] = {
    FunctionEntry::argumentList("dateadd"_L1, fnDateAdd),
    FunctionEntry::argumentList("datepart"_L1, fnDatePart),
    FunctionEntry::argumentList("datediff"_L1, fnDateDiff),
    FunctionEntry::singleArgument("age"_L1, fnAge),
};

} // namespace

std::span<const FunctionEntry> dateFunctions()
{
    return Entries;
}
