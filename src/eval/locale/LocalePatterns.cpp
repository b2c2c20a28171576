#include "LocalePatterns.h"

#include <vector>

namespace {

struct PatternField
{
    char16_t letter; // 'a' stands for any AM/PM marker
    int count;
    QString literalBefore;
};

// Splits a QLocale date or time pattern into its fields, each with the literal text that
// stands before it.
std::vector<PatternField> splitPattern(const QString &pattern)
{
    std::vector<PatternField> fields;
    QString literal;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            const qsizetype close = pattern.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            literal += end == i + 1 ? QStringLiteral("'") : pattern.mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (c == u'a' || c == u'A') {
            qsizetype j = i + 1;
            if (j < pattern.size() && (pattern[j] == u'p' || pattern[j] == u'P'))
                ++j;
            fields.push_back({c == u'a' ? u'a' : u'A', int(j - i), literal});
            literal.clear();
            i = j;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < pattern.size() && pattern[j] == c)
                ++j;
            fields.push_back({c.unicode(), int(j - i), literal});
            literal.clear();
            i = j;
        } else {
            literal += c;
            ++i;
        }
    }
    return fields;
}

} // namespace

LocalePatterns::LocalePatterns(const QLocale &locale)
{
    readShortDatePattern(locale);
    readLongTimePattern(locale);
}

void LocalePatterns::readShortDatePattern(const QLocale &locale)
{
    char16_t order[3] = {};
    int seen = 0;
    for (const PatternField &f : splitPattern(locale.dateFormat(QLocale::ShortFormat))) {
        const bool weekday = f.letter == u'd' && f.count > 2;
        if ((f.letter != u'd' && f.letter != u'M' && f.letter != u'y') || weekday || seen == 3)
            continue;
        if (seen > 0)
            dateSeparators[seen - 1] = f.literalBefore;
        order[seen++] = f.letter;
        if (f.letter == u'd')
            dayPadded = f.count == 2;
        else if (f.letter == u'M')
            monthPadded = f.count >= 2;
    }
    if (seen != 3) {
        dateOrder = DateOrder::MonthDayYear;
        dateSeparators[0] = dateSeparators[1] = QStringLiteral("/");
    } else if (order[0] == u'y') {
        dateOrder = DateOrder::YearMonthDay;
    } else {
        dateOrder = order[0] == u'd' ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
    }
    for (const QChar c : std::as_const(dateSeparators[0])) {
        if (!c.isSpace() && !c.isLetterOrNumber()) {
            dateSeparatorChar = c;
            break;
        }
    }
}

void LocalePatterns::readLongTimePattern(const QLocale &locale)
{
    const std::vector<PatternField> fields = splitPattern(locale.timeFormat(QLocale::LongFormat));
    int hourIndex = -1;
    int amPmIndex = -1;
    bool lowerCaseMarker = false;
    hour12 = false;
    hourPadded = true;
    timeSeparators[0] = timeSeparators[1] = QStringLiteral(":");
    for (int i = 0; i < int(fields.size()); ++i) {
        const PatternField &f = fields[size_t(i)];
        if (f.letter == u'h' || f.letter == u'H') {
            hourIndex = i;
            hourPadded = f.count >= 2;
        } else if (f.letter == u'm' && hourIndex >= 0) {
            timeSeparators[0] = f.literalBefore;
        } else if (f.letter == u's' && hourIndex >= 0) {
            timeSeparators[1] = f.literalBefore;
        } else if (f.letter == u'a' || f.letter == u'A') {
            amPmIndex = i;
            lowerCaseMarker = f.letter == u'a';
        }
    }
    amText = locale.amText();
    pmText = locale.pmText();
    if (amPmIndex < 0 || hourIndex < 0)
        return;
    hour12 = true;
    amPmFirst = amPmIndex < hourIndex;
    amPmSeparator = fields[size_t(amPmFirst ? hourIndex : amPmIndex)].literalBefore;
    if (lowerCaseMarker) {
        amText = amText.toLower();
        pmText = pmText.toLower();
    }
}
