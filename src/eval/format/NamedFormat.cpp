#include "NamedFormat.h"

#include "DecimalDigits.h"
#include "LocaleRules.h"
#include "NumberFormat.h"

#include <cmath>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {

const NamedFormat::Entry entries[] = {
    {"General Number"_L1, NamedFormat::Kind::GeneralNumber, {}, {}, {}},
    {"Currency"_L1, NamedFormat::Kind::Currency, {}, {}, {}},
    {"Fixed"_L1, NamedFormat::Kind::Pattern, "0.00"_L1, {}, {}},
    {"Standard"_L1, NamedFormat::Kind::Pattern, "#,##0.00"_L1, {}, {}},
    {"Percent"_L1, NamedFormat::Kind::Pattern, "0.00%"_L1, {}, {}},
    {"Scientific"_L1, NamedFormat::Kind::Pattern, "0.00E+00"_L1, {}, {}},
    {"Yes/No"_L1, NamedFormat::Kind::Words, {}, "Yes"_L1, "No"_L1},
    {"True/False"_L1, NamedFormat::Kind::Words, {}, "True"_L1, "False"_L1},
    {"On/Off"_L1, NamedFormat::Kind::Words, {}, "On"_L1, "Off"_L1},
    {"General Date"_L1, NamedFormat::Kind::Pattern, "c"_L1, {}, {}},
    {"Long Date"_L1, NamedFormat::Kind::Pattern, "dddddd"_L1, {}, {}},
    {"Medium Date"_L1, NamedFormat::Kind::Pattern, "dd-mmm-yy"_L1, {}, {}},
    {"Short Date"_L1, NamedFormat::Kind::Pattern, "ddddd"_L1, {}, {}},
    {"Long Time"_L1, NamedFormat::Kind::Pattern, "ttttt"_L1, {}, {}},
    {"Medium Time"_L1, NamedFormat::Kind::Pattern, "hh:nn AMPM"_L1, {}, {}},
    {"Short Time"_L1, NamedFormat::Kind::Pattern, "hh:nn"_L1, {}, {}},
};

// The locale's currency text for one unit, cut around the "1" into what goes before and
// after the amount.
void currencyAround(const QLocale &locale, double sign, QString &before, QString &after)
{
    const QString one = locale.toCurrencyString(sign, locale.currencySymbol(), 0);
    const qsizetype at = one.indexOf(u'1');
    before = one.left(at);
    after = one.mid(at + 1);
}

} // namespace

const NamedFormat::Entry *NamedFormat::find(QStringView pattern)
{
    for (const Entry &entry : entries) {
        if (pattern.compare(entry.name, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

QString NamedFormat::currency(double value, const LocaleRules &rules)
{
    static const NumberFormat amount(PatternSections::split(u"#,##0.00"));
    DecimalDigits cents(std::fabs(value));
    cents.roundToDecimals(2);
    // An amount that rounds to nothing is not shown as negative.
    const bool negative = value < 0 && !cents.isZero();
    QString before;
    QString after;
    currencyAround(rules.locale(), negative ? -1.0 : 1.0, before, after);
    return before + amount.format(std::fabs(value), rules) + after;
}
