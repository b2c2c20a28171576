#include "DateReader.h"

#include "DateSerial.h"
#include "LocaleText.h"

using LocaleText::isAsciiDigit;
using LocaleText::isSpaceLike;

namespace {

QString withoutTrailingDot(QString name)
{
    if (name.endsWith(u'.'))
        name.chop(1);
    return name;
}

} // namespace

DateReader::DateReader(const QLocale &locale, const LocalePatterns &patterns)
    : m_dateOrder(patterns.dateOrder)
    , m_dateSeparatorChar(patterns.dateSeparatorChar)
    , m_amText(patterns.amText)
    , m_pmText(patterns.pmText)
{
    collectMonthNames(locale);
}

// The parts of a date as typed; a year of zero digits is the current year.
struct DateReader::DateFields
{
    int year = 0;
    int yearDigits = 0;
    int month = 0;
    int monthDigits = 1;
    int day = 1;
    int dayDigits = 1;
};

bool DateReader::daysOfFields(const DateFields &f, double &days) const
{
    if (f.monthDigits > 2 || f.dayDigits > 2)
        return false;
    int year = f.year;
    if (f.yearDigits == 0)
        year = currentYear();
    else if (f.yearDigits <= 2)
        year += year < 30 ? 2000 : 1900;
    if (year < 100 || year > 9999 || f.month < 1 || f.month > 12)
        return false;
    if (f.day < 1 || f.day > DateSerial::daysInMonth(year, f.month))
        return false;
    return DateSerial::fromDate(year, f.month, f.day, days);
}

struct DateReader::DateTokens
{
    enum Kind : quint8 { Number, Word, Separator };
    struct Token
    {
        Kind kind = Number;
        char16_t separator = 0; // ' ' for blanks, else the mark
        int value = 0;
        int digits = 0;
        QStringView word;
    };
    static constexpr int Capacity = 16;

    const Token &operator[](int i) const { return items[size_t(i)]; }
    bool isSeparator(int i, char16_t c) const
    {
        return items[size_t(i)].kind == Separator && items[size_t(i)].separator == c;
    }

    std::array<Token, Capacity> items;
    int count = 0;
};

void DateReader::setToday(std::function<QDate()> today)
{
    m_today = std::move(today);
}

int DateReader::currentYear() const
{
    return (m_today ? m_today() : QDate::currentDate()).year();
}

void DateReader::collectMonthNames(const QLocale &locale)
{
    static const char16_t *const English[12] = {u"January", u"February", u"March", u"April", u"May",
        u"June", u"July", u"August", u"September", u"October", u"November", u"December"};
    for (int m = 1; m <= 12; ++m) {
        QString *forms = &m_monthNames[size_t((m - 1) * MonthNameForms)];
        const QString english = QString::fromUtf16(English[m - 1]);
        forms[0] = withoutTrailingDot(locale.monthName(m, QLocale::LongFormat));
        forms[1] = withoutTrailingDot(locale.monthName(m, QLocale::ShortFormat));
        forms[2] = withoutTrailingDot(locale.standaloneMonthName(m, QLocale::LongFormat));
        forms[3] = withoutTrailingDot(locale.standaloneMonthName(m, QLocale::ShortFormat));
        forms[4] = english;
        forms[5] = english.left(3);
    }
}

bool DateReader::isDateSeparator(QChar c) const
{
    return c == u'/' || c == u'-' || c == u'.'
        || (!m_dateSeparatorChar.isNull() && c == m_dateSeparatorChar);
}

bool DateReader::tokenize(QStringView t, DateTokens &tokens) const
{
    using Token = DateTokens::Token;
    const qsizetype n = t.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = t[i];
        if (isAsciiDigit(c) || c.isLetter()) {
            if (tokens.count == DateTokens::Capacity)
                return false;
            Token &token = tokens.items[size_t(tokens.count++)];
            token = Token();
            if (c.isLetter()) {
                const qsizetype start = i;
                while (i < n && t[i].isLetter())
                    ++i;
                token.kind = DateTokens::Word;
                token.word = t.sliced(start, i - start);
                continue;
            }
            for (; i < n && isAsciiDigit(t[i]); ++i) {
                if (++token.digits > 4)
                    return false;
                token.value = token.value * 10 + (t[i].unicode() - u'0');
            }
            continue;
        }

        char16_t mark;
        if (isSpaceLike(c) || c == u'\t')
            mark = u' ';
        else if (c == u',' || c == u':' || isDateSeparator(c))
            mark = c.unicode();
        else
            return false;
        ++i;
        // Blanks around a mark belong to it ("31. Dezember", "Dec 31, 2005").
        if (tokens.count > 0 && tokens[tokens.count - 1].kind == DateTokens::Separator) {
            char16_t &previous = tokens.items[size_t(tokens.count - 1)].separator;
            if (mark == u' ')
                continue;
            if (previous != u' ')
                return false;
            previous = mark;
            continue;
        }
        if (tokens.count == DateTokens::Capacity)
            return false;
        Token &token = tokens.items[size_t(tokens.count++)];
        token = Token();
        token.kind = DateTokens::Separator;
        token.separator = mark;
    }
    return true;
}

bool DateReader::read(QStringView text, double &serial) const
{
    DateTokens tokens;
    if (!tokenize(text, tokens))
        return false;
    int count = tokens.count;
    // A closing dot ends an abbreviation ("Dez.") or a German date without a year ("31.12.").
    if (count > 1 && tokens.isSeparator(count - 1, u'.'))
        --count;
    if (count == 0 || tokens[0].kind == DateTokens::Separator
        || tokens[count - 1].kind == DateTokens::Separator)
        return false;

    int timeBegin = count;
    int timeEnd = count;
    int colon = -1;
    for (int i = 0; i < count && colon < 0; ++i) {
        if (tokens.isSeparator(i, u':'))
            colon = i;
    }
    if (colon >= 0) {
        const auto isNumber
            = [&](int i) { return i < count && tokens[i].kind == DateTokens::Number; };
        if (colon == 0 || !isNumber(colon - 1) || !isNumber(colon + 1))
            return false;
        timeBegin = colon - 1;
        int j = colon + 2;
        if (j < count && tokens.isSeparator(j, u':')) {
            if (!isNumber(j + 1))
                return false;
            j += 2;
        }
        int k = j;
        if (k < count && tokens.isSeparator(k, u' '))
            ++k;
        if (k < count && tokens[k].kind == DateTokens::Word && amPmOf(tokens[k].word) != 0)
            j = k + 1;
        timeEnd = j;
    } else if (tokens[count - 1].kind == DateTokens::Word && amPmOf(tokens[count - 1].word) != 0) {
        int k = count - 2;
        if (k >= 0 && tokens.isSeparator(k, u' '))
            --k;
        if (k < 0 || tokens[k].kind != DateTokens::Number)
            return false;
        timeBegin = k;
    }

    double fraction = 0;
    int dateBegin = 0;
    int dateEnd = count;
    if (timeBegin < count) {
        if (!readTime(tokens, timeBegin, timeEnd, fraction))
            return false;
        const bool dateBefore = timeBegin > 0;
        const bool dateAfter = timeEnd < count;
        if (!dateBefore && !dateAfter) {
            serial = fraction;
            return true;
        }
        if (dateBefore && dateAfter)
            return false;
        if (dateBefore) {
            if (!tokens.isSeparator(timeBegin - 1, u' ')
                && !tokens.isSeparator(timeBegin - 1, u','))
                return false;
            dateEnd = timeBegin - 1;
        } else {
            if (!tokens.isSeparator(timeEnd, u' '))
                return false;
            dateBegin = timeEnd + 1;
        }
    }
    double days;
    if (!readDate(tokens, dateBegin, dateEnd, days))
        return false;
    serial = DateSerial::combine(days, fraction);
    return true;
}

// Hours, minutes and optional seconds, each of one or two digits, with an optional AM/PM.
bool DateReader::readTime(const DateTokens &tokens, int begin, int end, double &fraction) const
{
    int values[3] = {0, 0, 0};
    int numbers = 0;
    int marker = 0;
    for (int i = begin; i < end; ++i) {
        const DateTokens::Token &token = tokens[i];
        if (token.kind == DateTokens::Number) {
            if (token.digits > 2 || numbers == 3)
                return false;
            values[numbers++] = token.value;
        } else if (token.kind == DateTokens::Word) {
            marker = amPmOf(token.word);
        } else if (token.separator != u':' && token.separator != u' ') {
            return false;
        }
    }
    int hour = values[0];
    if (values[1] > 59 || values[2] > 59)
        return false;
    if (marker != 0) {
        if (hour > 12)
            return false;
        hour = hour % 12 + (marker == 2 ? 12 : 0);
    } else if (hour > 23) {
        return false;
    }
    fraction = DateSerial::fromTime(hour, values[1], values[2]);
    return true;
}

bool DateReader::readDate(const DateTokens &tokens, int begin, int end, double &days) const
{
    if (begin >= end)
        return false;
    int words = 0;
    for (int i = begin; i < end; ++i) {
        if (tokens[i].kind == DateTokens::Word)
            ++words;
    }
    if (words == 0)
        return readNumericDate(tokens, begin, end, days);
    return words == 1 && readNamedDate(tokens, begin, end, days);
}

// Two or three numbers joined by one date separator, in the locale's order; a first
// number of three or four digits is a year (ISO 2005-12-31).
bool DateReader::readNumericDate(const DateTokens &tokens, int begin, int end, double &days) const
{
    const int n = end - begin;
    if (n != 3 && n != 5)
        return false;
    const char16_t mark = tokens[begin + 1].separator;
    if (!isDateSeparator(QChar(mark)) || (n == 5 && !tokens.isSeparator(begin + 3, mark)))
        return false;
    const DateTokens::Token &a = tokens[begin];
    const DateTokens::Token &b = tokens[begin + 2];
    const auto set = [](int &value, int &digits, const DateTokens::Token &t) {
        value = t.value;
        digits = t.digits;
    };

    DateFields f;
    if (n == 5) {
        const DateTokens::Token &c = tokens[begin + 4];
        if (a.digits > 2 || m_dateOrder == LocalePatterns::DateOrder::YearMonthDay) {
            set(f.year, f.yearDigits, a);
            set(f.month, f.monthDigits, b);
            set(f.day, f.dayDigits, c);
        } else {
            const bool dayFirst = m_dateOrder == LocalePatterns::DateOrder::DayMonthYear;
            set(f.day, f.dayDigits, dayFirst ? a : b);
            set(f.month, f.monthDigits, dayFirst ? b : a);
            set(f.year, f.yearDigits, c);
        }
    } else if (a.digits > 2 || b.digits > 2) {
        // A month and a year: the first of that month.
        set(f.year, f.yearDigits, a.digits > 2 ? a : b);
        set(f.month, f.monthDigits, a.digits > 2 ? b : a);
    } else {
        const bool dayFirst = m_dateOrder == LocalePatterns::DateOrder::DayMonthYear;
        set(f.day, f.dayDigits, dayFirst ? a : b);
        set(f.month, f.monthDigits, dayFirst ? b : a);
    }
    return daysOfFields(f, days);
}

// One month name with a day and a year in any arrangement people write them:
// "Dec 31, 2005", "31 December 2005", "31-Dec-2005", "31. Dezember 2005", "Dec 2005".
bool DateReader::readNamedDate(const DateTokens &tokens, int begin, int end, double &days) const
{
    DateFields f;
    const DateTokens::Token *numbers[2] = {nullptr, nullptr};
    int count = 0;
    for (int i = begin; i < end; ++i) {
        const DateTokens::Token &token = tokens[i];
        if (token.kind == DateTokens::Word) {
            f.month = monthFromName(token.word);
            if (f.month == 0)
                return false;
        } else if (token.kind == DateTokens::Number) {
            if (count == 2)
                return false;
            numbers[count++] = &token;
        } else if (token.separator == u':') {
            return false;
        }
    }
    if (count == 0)
        return false;
    const DateTokens::Token &first = *numbers[0];
    if (count == 2) {
        const bool yearFirst = first.digits > 2;
        const DateTokens::Token &year = yearFirst ? first : *numbers[1];
        const DateTokens::Token &day = yearFirst ? *numbers[1] : first;
        f.year = year.value;
        f.yearDigits = year.digits;
        f.day = day.value;
        f.dayDigits = day.digits;
    } else if (first.digits > 2 || first.value > 31) {
        f.year = first.value;
        f.yearDigits = first.digits;
    } else {
        f.day = first.value;
        f.dayDigits = first.digits;
    }
    return daysOfFields(f, days);
}

int DateReader::monthFromName(QStringView word) const
{
    for (size_t i = 0; i < m_monthNames.size(); ++i) {
        const QString &name = m_monthNames[i];
        if (!name.isEmpty() && word.compare(name, Qt::CaseInsensitive) == 0)
            return int(i) / MonthNameForms + 1;
    }
    return 0;
}

// 1 for AM, 2 for PM, 0 for any other word.
int DateReader::amPmOf(QStringView word) const
{
    if (word.compare(m_amText, Qt::CaseInsensitive) == 0
        || word.compare(u"AM", Qt::CaseInsensitive) == 0)
        return 1;
    if (word.compare(m_pmText, Qt::CaseInsensitive) == 0
        || word.compare(u"PM", Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}
