#include "LocaleRules.h"

#include "DateSerial.h"

#include <QDate>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Longer text is never a date; the limit keeps the date reader off long notes.
constexpr qsizetype MaxDateLength = 64;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

// French and other locales group with a (no-break) space; people type any of them.
bool isSpaceLike(QChar c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

QStringView trimBlanks(QStringView t)
{
    qsizetype begin = 0;
    qsizetype end = t.size();
    while (begin < end && (t[begin] == u' ' || t[begin] == u'\t'))
        ++begin;
    while (end > begin && (t[end - 1] == u' ' || t[end - 1] == u'\t'))
        --end;
    return t.sliced(begin, end - begin);
}

bool containsDigit(QStringView t)
{
    for (const QChar c : t) {
        if (isAsciiDigit(c))
            return true;
    }
    return false;
}

// &H and &O numbers as the platform reads them: a value that fits in 16 bits is an
// Integer (so &HFFFF is -1), anything up to 32 bits a Long (&HFFFFF is 1048575,
// &HFFFFFFFF is -1); a trailing & forces a Long (&HFFFF& is 65535). Larger overflows.
bool readRadixNumber(QStringView t, double &out)
{
    if (t.size() < 3)
        return false;
    const char16_t prefix = t[1].unicode();
    const int base = (prefix == u'H' || prefix == u'h') ? 16
        : (prefix == u'O' || prefix == u'o')            ? 8
                                                        : 0;
    if (base == 0)
        return false;
    qsizetype end = t.size();
    const bool forceLong = t[end - 1] == u'&';
    if (forceLong)
        --end;
    if (end <= 2)
        return false;
    quint64 value = 0;
    for (qsizetype i = 2; i < end; ++i) {
        const int d = digitValue(t[i], base);
        if (d < 0)
            return false;
        value = value * quint64(base) + quint64(d);
        if (value > 0xFFFFFFFFu)
            return false;
    }
    if (value <= 0xFFFF && !forceLong)
        out = double(qint16(quint16(value)));
    else
        out = double(qint32(quint32(value)));
    return true;
}

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

void appendNumber(QString &out, int value, int width)
{
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    for (qsizetype pad = width - (result.ptr - digits); pad > 0; --pad)
        out += u'0';
    for (const char *p = digits; p != result.ptr; ++p)
        out += QChar(char16_t(*p));
}

QString withoutTrailingDot(QString name)
{
    if (name.endsWith(u'.'))
        name.chop(1);
    return name;
}

} // namespace

// The parts of a date as typed; a year of zero digits is the current year.
struct LocaleRules::DateFields
{
    int year = 0;
    int yearDigits = 0;
    int month = 0;
    int monthDigits = 1;
    int day = 1;
    int dayDigits = 1;
};

bool LocaleRules::daysOfFields(const DateFields &f, double &days) const
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

struct LocaleRules::DateTokens
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

LocaleRules::LocaleRules(const QLocale &locale)
    : m_locale(locale)
{
    const QString decimal = locale.decimalPoint();
    m_decimal = decimal.isEmpty() ? QChar(u'.') : decimal.front();
    const QString group = locale.groupSeparator();
    m_group = group.isEmpty() ? QChar() : group.front();
    readShortDatePattern();
    readLongTimePattern();
    collectMonthNames();
}

void LocaleRules::setToday(std::function<QDate()> today)
{
    m_today = std::move(today);
}

int LocaleRules::currentYear() const
{
    return (m_today ? m_today() : QDate::currentDate()).year();
}

void LocaleRules::readShortDatePattern()
{
    char16_t order[3] = {};
    int seen = 0;
    for (const PatternField &f : splitPattern(m_locale.dateFormat(QLocale::ShortFormat))) {
        const bool weekday = f.letter == u'd' && f.count > 2;
        if ((f.letter != u'd' && f.letter != u'M' && f.letter != u'y') || weekday || seen == 3)
            continue;
        if (seen > 0)
            m_dateSeparators[seen - 1] = f.literalBefore;
        order[seen++] = f.letter;
        if (f.letter == u'd')
            m_dayPadded = f.count == 2;
        else if (f.letter == u'M')
            m_monthPadded = f.count >= 2;
    }
    if (seen != 3) {
        m_dateOrder = DateOrder::MonthDayYear;
        m_dateSeparators[0] = m_dateSeparators[1] = QStringLiteral("/");
    } else if (order[0] == u'y') {
        m_dateOrder = DateOrder::YearMonthDay;
    } else {
        m_dateOrder = order[0] == u'd' ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
    }
    for (const QChar c : std::as_const(m_dateSeparators[0])) {
        if (!c.isSpace() && !c.isLetterOrNumber()) {
            m_dateSeparatorChar = c;
            break;
        }
    }
}

void LocaleRules::readLongTimePattern()
{
    const std::vector<PatternField> fields = splitPattern(m_locale.timeFormat(QLocale::LongFormat));
    int hourIndex = -1;
    int amPmIndex = -1;
    bool lowerCaseMarker = false;
    m_hour12 = false;
    m_hourPadded = true;
    m_timeSeparators[0] = m_timeSeparators[1] = QStringLiteral(":");
    for (int i = 0; i < int(fields.size()); ++i) {
        const PatternField &f = fields[size_t(i)];
        if (f.letter == u'h' || f.letter == u'H') {
            hourIndex = i;
            m_hourPadded = f.count >= 2;
        } else if (f.letter == u'm' && hourIndex >= 0) {
            m_timeSeparators[0] = f.literalBefore;
        } else if (f.letter == u's' && hourIndex >= 0) {
            m_timeSeparators[1] = f.literalBefore;
        } else if (f.letter == u'a' || f.letter == u'A') {
            amPmIndex = i;
            lowerCaseMarker = f.letter == u'a';
        }
    }
    m_amText = m_locale.amText();
    m_pmText = m_locale.pmText();
    if (amPmIndex < 0 || hourIndex < 0)
        return;
    m_hour12 = true;
    m_amPmFirst = amPmIndex < hourIndex;
    m_amPmSeparator = fields[size_t(m_amPmFirst ? hourIndex : amPmIndex)].literalBefore;
    if (lowerCaseMarker) {
        m_amText = m_amText.toLower();
        m_pmText = m_pmText.toLower();
    }
}

void LocaleRules::collectMonthNames()
{
    static const char16_t *const English[12] = {u"January", u"February", u"March", u"April", u"May",
        u"June", u"July", u"August", u"September", u"October", u"November", u"December"};
    for (int m = 1; m <= 12; ++m) {
        QString *forms = &m_monthNames[size_t((m - 1) * MonthNameForms)];
        const QString english = QString::fromUtf16(English[m - 1]);
        forms[0] = withoutTrailingDot(m_locale.monthName(m, QLocale::LongFormat));
        forms[1] = withoutTrailingDot(m_locale.monthName(m, QLocale::ShortFormat));
        forms[2] = withoutTrailingDot(m_locale.standaloneMonthName(m, QLocale::LongFormat));
        forms[3] = withoutTrailingDot(m_locale.standaloneMonthName(m, QLocale::ShortFormat));
        forms[4] = english;
        forms[5] = english.left(3);
    }
}

bool LocaleRules::isGroupSeparator(QChar c) const
{
    if (m_group.isNull())
        return false;
    return c == m_group || (isSpaceLike(m_group) && isSpaceLike(c));
}

bool LocaleRules::isDateSeparator(QChar c) const
{
    return c == u'/' || c == u'-' || c == u'.'
        || (!m_dateSeparatorChar.isNull() && c == m_dateSeparatorChar);
}

bool LocaleRules::toNumber(QStringView text, double &out) const
{
    const QStringView t = trimBlanks(text);
    if (t.isEmpty())
        return false;
    if (t.front() == u'&')
        return readRadixNumber(t, out);
    return readDecimal(t, out);
}

bool LocaleRules::isNumeric(QStringView text) const
{
    double ignored;
    return toNumber(text, ignored);
}

// Group separators may stand between any two digits of the integer part, as the platform
// allows; the accepted characters are copied for std::from_chars, which ignores the C
// locale that Qt may have changed.
bool LocaleRules::readDecimal(QStringView t, double &out) const
{
    char stackBuffer[64];
    std::string heapBuffer;
    char *buffer = stackBuffer;
    // Every accepted character becomes at most one character of the buffer.
    if (t.size() >= qsizetype(sizeof stackBuffer)) {
        heapBuffer.resize(size_t(t.size()));
        buffer = heapBuffer.data();
    }
    const qsizetype n = t.size();
    qsizetype length = 0;
    qsizetype i = 0;
    const bool hasSign = t[0] == u'-' || t[0] == u'+';
    if (hasSign) {
        if (t[0] == u'-')
            buffer[length++] = '-';
        ++i;
    }

    qsizetype integerDigits = 0;
    qsizetype significantIntegerDigits = 0;
    int groups = 0;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (isAsciiDigit(c)) {
            buffer[length++] = char(c.unicode());
            ++integerDigits;
            if (significantIntegerDigits > 0 || c != u'0')
                ++significantIntegerDigits;
        } else if (integerDigits > 0 && isGroupSeparator(c) && i + 1 < n
            && isAsciiDigit(t[i + 1])) {
            ++groups;
        } else {
            break;
        }
    }

    qsizetype fractionDigits = 0;
    qsizetype leadingFractionZeros = 0;
    const bool hasDecimal = i < n && t[i] == m_decimal;
    if (hasDecimal) {
        buffer[length++] = '.';
        for (++i; i < n && isAsciiDigit(t[i]); ++i) {
            if (fractionDigits == leadingFractionZeros && t[i] == u'0')
                ++leadingFractionZeros;
            ++fractionDigits;
            buffer[length++] = char(t[i].unicode());
        }
    }
    if (integerDigits + fractionDigits == 0)
        return false;

    qint64 exponent = 0;
    const bool hasExponent = i < n && (t[i] == u'e' || t[i] == u'E');
    if (hasExponent) {
        buffer[length++] = 'e';
        ++i;
        const bool negativeExponent = i < n && t[i] == u'-';
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            if (negativeExponent)
                buffer[length++] = '-';
            ++i;
        }
        const qsizetype firstExponentDigit = i;
        for (; i < n && isAsciiDigit(t[i]); ++i) {
            buffer[length++] = char(t[i].unicode());
            exponent = std::min<qint64>(exponent * 10 + (t[i].unicode() - u'0'), 1000000);
        }
        if (i == firstExponentDigit)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return false;

    // Where the group separator also separates dates (31.12.2005 in German), a text
    // that reads as a whole date is a date, not the number 31122005.
    if (groups == 2 && !hasDecimal && !hasExponent && !hasSign && isDateSeparator(m_group)) {
        double serial;
        if (readDateTime(t, serial))
            return false;
    }

    double value = 0;
    const auto result = std::from_chars(buffer, buffer + length, value);
    if (result.ec == std::errc::result_out_of_range) {
        const qint64 magnitude = significantIntegerDigits > 0
            ? qint64(significantIntegerDigits) + exponent
            : exponent - qint64(leadingFractionZeros);
        if (magnitude > 0)
            return false; // too large for a Double: the platform overflows
        value = 0;
    } else if (result.ec != std::errc() || result.ptr != buffer + length) {
        return false;
    }
    out = value == 0 ? 0.0 : value;
    return true;
}

bool LocaleRules::toDate(QStringView text, double &serial) const
{
    const QStringView t = trimBlanks(text);
    // Names, codes and markers have no digit: rejected before any real work.
    if (t.isEmpty() || t.size() > MaxDateLength || !containsDigit(t))
        return false;
    if (isNumeric(t))
        return false;
    return readDateTime(t, serial);
}

bool LocaleRules::isDate(QStringView text) const
{
    double ignored;
    return toDate(text, ignored);
}

bool LocaleRules::tokenizeDate(QStringView t, DateTokens &tokens) const
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

bool LocaleRules::readDateTime(QStringView text, double &serial) const
{
    DateTokens tokens;
    if (!tokenizeDate(text, tokens))
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
bool LocaleRules::readTime(const DateTokens &tokens, int begin, int end, double &fraction) const
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

bool LocaleRules::readDate(const DateTokens &tokens, int begin, int end, double &days) const
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
bool LocaleRules::readNumericDate(const DateTokens &tokens, int begin, int end, double &days) const
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
        if (a.digits > 2 || m_dateOrder == DateOrder::YearMonthDay) {
            set(f.year, f.yearDigits, a);
            set(f.month, f.monthDigits, b);
            set(f.day, f.dayDigits, c);
        } else {
            const bool dayFirst = m_dateOrder == DateOrder::DayMonthYear;
            set(f.day, f.dayDigits, dayFirst ? a : b);
            set(f.month, f.monthDigits, dayFirst ? b : a);
            set(f.year, f.yearDigits, c);
        }
    } else if (a.digits > 2 || b.digits > 2) {
        // A month and a year: the first of that month.
        set(f.year, f.yearDigits, a.digits > 2 ? a : b);
        set(f.month, f.monthDigits, a.digits > 2 ? b : a);
    } else {
        const bool dayFirst = m_dateOrder == DateOrder::DayMonthYear;
        set(f.day, f.dayDigits, dayFirst ? a : b);
        set(f.month, f.monthDigits, dayFirst ? b : a);
    }
    return daysOfFields(f, days);
}

// One month name with a day and a year in any arrangement people write them:
// "Dec 31, 2005", "31 December 2005", "31-Dec-2005", "31. Dezember 2005", "Dec 2005".
bool LocaleRules::readNamedDate(const DateTokens &tokens, int begin, int end, double &days) const
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

int LocaleRules::monthFromName(QStringView word) const
{
    for (size_t i = 0; i < m_monthNames.size(); ++i) {
        const QString &name = m_monthNames[i];
        if (!name.isEmpty() && word.compare(name, Qt::CaseInsensitive) == 0)
            return int(i) / MonthNameForms + 1;
    }
    return 0;
}

// 1 for AM, 2 for PM, 0 for any other word.
int LocaleRules::amPmOf(QStringView word) const
{
    if (word.compare(m_amText, Qt::CaseInsensitive) == 0
        || word.compare(u"AM", Qt::CaseInsensitive) == 0)
        return 1;
    if (word.compare(m_pmText, Qt::CaseInsensitive) == 0
        || word.compare(u"PM", Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

// As the platform's CStr: 15 significant digits (7 for a Single), exponent form from
// 1E+15 and below 1E-04 as C's %G, the locale's decimal separator, no grouping.
QString LocaleRules::numberToText(double d, Value::NumberType type) const
{
    if (std::isnan(d))
        return QStringLiteral("-1.#IND");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    if (d == 0)
        return QStringLiteral("0");

    char digits[40];
    char *const last = digits + sizeof digits;
    std::to_chars_result result;
    const bool whole = type == Value::NumberType::Integer || type == Value::NumberType::Long;
    const float single = float(d);
    if (whole && std::fabs(d) < 9.0e18)
        result = std::to_chars(digits, last, qint64(std::nearbyint(d)));
    else if (type == Value::NumberType::Single && std::isfinite(single))
        result = std::to_chars(digits, last, single, std::chars_format::general, 7);
    else
        result = std::to_chars(digits, last, d, std::chars_format::general, 15);

    QString text(result.ptr - digits, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char *p = digits; p != result.ptr; ++p, ++out) {
        if (*p == '.')
            *out = m_decimal;
        else
            *out = QChar(char16_t(*p == 'e' ? 'E' : *p));
    }
    return text;
}

QString LocaleRules::dateToText(double serial) const
{
    // A value outside the calendar cannot be written as a date; show its number.
    if (!DateSerial::inRange(serial))
        return numberToText(serial);
    const DateSerial::Parts p = DateSerial::toParts(serial);
    const bool dayZero = p.year == 1899 && p.month == 12 && p.day == 30;
    if (dayZero)
        return timePartToText(p.hour, p.minute, p.second);
    QString text = dayPartToText(p.year, p.month, p.day);
    if (p.hour != 0 || p.minute != 0 || p.second != 0) {
        text += u' ';
        text += timePartToText(p.hour, p.minute, p.second);
    }
    return text;
}

QString LocaleRules::dayPartToText(int year, int month, int day) const
{
    struct Part
    {
        int value;
        int width;
    };
    const Part d {day, m_dayPadded ? 2 : 1};
    const Part m {month, m_monthPadded ? 2 : 1};
    const Part y {year, 4};
    std::array<Part, 3> parts {m, d, y};
    if (m_dateOrder == DateOrder::DayMonthYear)
        parts = {d, m, y};
    else if (m_dateOrder == DateOrder::YearMonthDay)
        parts = {y, m, d};
    QString text;
    text.reserve(16);
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            text += m_dateSeparators[i - 1];
        appendNumber(text, parts[i].value, parts[i].width);
    }
    return text;
}

QString LocaleRules::timePartToText(int hour, int minute, int second) const
{
    QString text;
    text.reserve(16);
    const QString &marker = hour < 12 ? m_amText : m_pmText;
    if (m_hour12 && m_amPmFirst) {
        text += marker;
        text += m_amPmSeparator;
    }
    appendNumber(text, m_hour12 ? (hour % 12 == 0 ? 12 : hour % 12) : hour, m_hourPadded ? 2 : 1);
    text += m_timeSeparators[0];
    appendNumber(text, minute, 2);
    text += m_timeSeparators[1];
    appendNumber(text, second, 2);
    if (m_hour12 && !m_amPmFirst) {
        text += m_amPmSeparator;
        text += marker;
    }
    return text;
}

QString LocaleRules::toText(const Value &v) const
{
    switch (v.kind()) {
    case Value::Kind::Empty:
        return QString();
    case Value::Kind::Number:
        return numberToText(v.number(), v.numberType());
    case Value::Kind::Text:
        return v.text();
    case Value::Kind::Date:
        return dateToText(v.number());
    case Value::Kind::Logical:
        return v.logical() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return QString();
}

QString LocaleRules::monthName(int month) const
{
    if (month < 1 || month > 12)
        return QString();
    return m_locale.monthName(month, QLocale::LongFormat);
}

QString LocaleRules::shortMonthName(int month) const
{
    if (month < 1 || month > 12)
        return QString();
    return m_locale.standaloneMonthName(month, QLocale::ShortFormat);
}

// Qt counts days from Monday = 1 to Sunday = 7.
QString LocaleRules::dayName(int weekday) const
{
    if (weekday < 1 || weekday > 7)
        return QString();
    return m_locale.dayName(weekday == 1 ? 7 : weekday - 1, QLocale::LongFormat);
}

QString LocaleRules::shortDayName(int weekday) const
{
    if (weekday < 1 || weekday > 7)
        return QString();
    return m_locale.dayName(weekday == 1 ? 7 : weekday - 1, QLocale::ShortFormat);
}

int LocaleRules::firstDayOfWeek() const
{
    return int(m_locale.firstDayOfWeek()) % 7 + 1;
}
