#include "DateSerial.h"
#include "EvalHarness.h"

#include <QDate>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

// The year of the harness's day, Saturday 14 March 2026.
constexpr int ThisYear = 2026;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct NumberRow
{
    const char *locale;
    const char *text;
    double expected;
};

// Texts of a locale that a reader must refuse.
struct TextsRow
{
    const char *locale;
    std::vector<const char *> texts;
};

const NumberRow numberRows[] = {
    {"en_US", "12.5", 12.5},
    {"en_US", "  12.5  ", 12.5},
    {"en_US", "+5", 5},
    {"en_US", "-0", 0},
    {"en_US", ".5", 0.5},
    {"en_US", "5.", 5},
    {"en_US", "1,234.5", 1234.5},
    {"en_US", "1E3", 1000},
    {"en_US", "1.5e-2", 0.015},
    {"en_US", "1e-400", 0},
    {"en_US", " &h1f ", 31},
    {"en_US", "&HFFFF", -1},
    {"en_US", "&HFFFF&", 65535},
    {"en_US", "&HFFFFF", 1048575},
    {"en_US", "&HFFFFFFFF", -1},
    {"en_US", "&O17", 15},
    {"de_DE", "12,5", 12.5},
    {"de_DE", "12.5", 125},
    {"de_DE", "1.234,5", 1234.5},
    {"de_DE", "-1,5E3", -1500},
    {"fr_FR", "1\u202F234,5", 1234.5},
    {"fr_FR", "1\u00A0234,5", 1234.5},
    {"fr_FR", "1 234 ", 1234},
};

const TextsRow notNumbers[] = {
    {"en_US",
        {"", "   ", "abc", "12/31/2005", "+-1", "1e+", "e3", "-", ",5", "5,", "1,,5", "1.2.3",
            "1.234,5", "1 234", "12abc", "- 5", "1e400", "&H", "&O8", "&H100000000", "&X10",
            "#ERR"}},
    {"de_DE", {"12.5.", "31.12.2005", "1.234,5,6", "1,234.5"}},
    {"fr_FR", {"12.5", "1  234"}},
};

TEST(LocaleRulesNumbers, ReadsTheLocalesNumericForms)
{
    for (const NumberRow &row : numberRows) {
        SCOPED_TRACE(std::string(row.locale) + " \"" + row.text + "\"");
        const LocaleRules &rules = rulesFor(row.locale);
        double value = 42424242;
        ASSERT_TRUE(rules.toNumber(text(row.text), value));
        EXPECT_TRUE(rules.isNumeric(text(row.text)));
        EXPECT_FALSE(rules.isDate(text(row.text))) << "never both";
        EXPECT_DOUBLE_EQ(value, row.expected);
        EXPECT_FALSE(std::signbit(value) && value == 0);
    }
    for (const TextsRow &row : notNumbers) {
        for (const char *sample : row.texts) {
            SCOPED_TRACE(std::string(row.locale) + " \"" + sample + "\"");
            double value = 0;
            EXPECT_FALSE(rulesFor(row.locale).toNumber(text(sample), value));
            EXPECT_FALSE(rulesFor(row.locale).isNumeric(text(sample)));
        }
    }
}

TEST(LocaleRulesNumbers, LongDigitRunsAreReadWithoutLimit)
{
    const LocaleRules &rules = rulesFor("en_US");
    double value = 0;
    ASSERT_TRUE(rules.toNumber(QString(200, u'1'), value));
    EXPECT_NEAR(value / 1.111111111111111e199, 1.0, 1e-12);
    EXPECT_FALSE(rules.toNumber(QString(400, u'9'), value)); // overflows a Double
    ASSERT_TRUE(rules.toNumber(QString(u"0." + QString(400, u'0') + u"1"), value));
    EXPECT_EQ(value, 0.0);
    ASSERT_TRUE(rules.toNumber(QString(QString(300, u'0') + u"12,5"), value));
    EXPECT_EQ(value, 125.0);
}

struct DateRow
{
    const char *locale;
    const char *text;
    int year, month, day; // year 0 with a month: the current year; all 0: a time alone
    int hour, minute, second;
};

double serialOf(const DateRow &row)
{
    double days = 0;
    if (row.month != 0) {
        EXPECT_TRUE(
            DateSerial::fromDate(row.year == 0 ? ThisYear : row.year, row.month, row.day, days));
    }
    return DateSerial::combine(days, DateSerial::fromTime(row.hour, row.minute, row.second));
}

const DateRow dateRows[] = {
    {"en_US", "12-31-2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", "12.31.2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", " 1/5/2005 ", 2005, 1, 5, 0, 0, 0},
    {"en_US", "1/5/05", 2005, 1, 5, 0, 0, 0},
    {"en_US", "1/5/29", 2029, 1, 5, 0, 0, 0},
    {"en_US", "1/5/30", 1930, 1, 5, 0, 0, 0},
    {"en_US", "1/1/100", 100, 1, 1, 0, 0, 0},
    {"en_US", "2/29/2004", 2004, 2, 29, 0, 0, 0},
    {"en_US", "12/31", 0, 12, 31, 0, 0, 0},
    {"en_US", "12/2005", 2005, 12, 1, 0, 0, 0},
    {"en_US", "2005-12-31", 2005, 12, 31, 0, 0, 0},
    {"en_US", "Dec 31, 2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", "DECEMBER 31 2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", "31-Dec-2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", "Dec. 31, 2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", "2005 Dec 31", 2005, 12, 31, 0, 0, 0},
    {"en_US", "Dec 2005", 2005, 12, 1, 0, 0, 0},
    {"en_US", "Dec 31", 0, 12, 31, 0, 0, 0},
    {"en_US", "10:30", 0, 0, 0, 10, 30, 0},
    {"en_US", "10:30PM", 0, 0, 0, 22, 30, 0},
    {"en_US", "12:00 AM", 0, 0, 0, 0, 0, 0},
    {"en_US", "12:30 PM", 0, 0, 0, 12, 30, 0},
    {"en_US", "10 PM", 0, 0, 0, 22, 0, 0},
    {"en_US", "10:30 12/31/2005", 2005, 12, 31, 10, 30, 0},
    {"de_DE", "31.12.05", 2005, 12, 31, 0, 0, 0},
    {"de_DE", "31/12/2005", 2005, 12, 31, 0, 0, 0},
    {"de_DE", "31.12.", 0, 12, 31, 0, 0, 0},
    {"de_DE", "31. Dezember 2005", 2005, 12, 31, 0, 0, 0},
    {"de_DE", "1. MÄRZ 2005", 2005, 3, 1, 0, 0, 0},
    {"de_DE", "31 December 2005", 2005, 12, 31, 0, 0, 0},
    {"fr_FR", "31/12", 0, 12, 31, 0, 0, 0},
    {"fr_FR", "12.5", 0, 5, 12, 0, 0, 0},
    {"fr_FR", "31 décembre 2005", 2005, 12, 31, 0, 0, 0},
    {"fr_FR", "1 janv. 2005", 2005, 1, 1, 0, 0, 0},
};

// Rows whose text is what the date is written as.
const DateRow dateTextRows[] = {
    {"en_US", "12/31/2005", 2005, 12, 31, 0, 0, 0},
    {"en_US", "1/5/2005", 2005, 1, 5, 0, 0, 0},
    {"en_US", "12/31/2005 10:30:15 PM", 2005, 12, 31, 22, 30, 15},
    {"en_US", "12/31/2005 12:00:01 AM", 2005, 12, 31, 0, 0, 1},
    {"en_US", "12/31/2005 12:05:00 PM", 2005, 12, 31, 12, 5, 0},
    {"en_US", "1/1/0100", 100, 1, 1, 0, 0, 0},
    {"en_US", "12/29/1899 6:00:00 AM", 1899, 12, 29, 6, 0, 0},
    {"en_US", "12:00:00 AM", 0, 0, 0, 0, 0, 0},
    {"de_DE", "05.01.2005", 2005, 1, 5, 0, 0, 0},
    {"de_DE", "31.12.2005 22:30:15", 2005, 12, 31, 22, 30, 15},
    {"de_DE", "31.12.2005 09:05:00", 2005, 12, 31, 9, 5, 0},
    {"de_DE", "00:00:00", 0, 0, 0, 0, 0, 0},
    {"fr_FR", "05/01/2005 10:30:00", 2005, 1, 5, 10, 30, 0},
};

const TextsRow notDates[] = {
    {"en_US",
        {"", "   ", "abc", "December", "5", "12.5", "2005", "1e3", "2/30/2005", "2/29/2005",
            "13/1/2005", "1/1/0099", "1/1/10000", "123/1/2005", "12/31/2005/1", "12//31/2005",
            "12 31 2005", "12/31/", "Foo 31, 2005", "Dec 31 2005 7", "Feb 30, 2005", "24:00",
            "10:60", "13:00 PM", "10:30:15:20", "10:PM", ":30", "12:30 Acme",
            "10:30 12/31/2005 10:30", "12/31/2005 (10:30)", "1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 8 9"}},
    {"de_DE", {"12/31/2005", "31.12", "12,5", "30.02.2005", "31. Foo 2005"}},
    {"fr_FR", {"12/31/2005", "12,5"}},
};

TEST(LocaleRulesDates, ReadsWhatUsersOfTheLocaleType)
{
    for (const TextsRow &row : notDates) {
        for (const char *sample : row.texts) {
            SCOPED_TRACE(std::string(row.locale) + " \"" + sample + "\"");
            double serial = 0;
            EXPECT_FALSE(rulesFor(row.locale).toDate(text(sample), serial));
            EXPECT_FALSE(rulesFor(row.locale).isDate(text(sample)));
        }
    }
    std::vector<DateRow> readable(std::begin(dateRows), std::end(dateRows));
    readable.insert(readable.end(), std::begin(dateTextRows), std::end(dateTextRows));
    for (const DateRow &row : readable) {
        SCOPED_TRACE(std::string(row.locale) + " \"" + row.text + "\"");
        const LocaleRules &rules = rulesFor(row.locale);
        double serial = -1e9;
        ASSERT_TRUE(rules.toDate(text(row.text), serial));
        EXPECT_TRUE(rules.isDate(text(row.text)));
        EXPECT_FALSE(rules.isNumeric(text(row.text))) << "never both";
        EXPECT_DOUBLE_EQ(serial, serialOf(row));
    }
}

struct NumberTextRow
{
    const char *locale;
    double value;
    Value::NumberType type;
    const char *expected;
};

const NumberTextRow numberTextRows[] = {
    {"en_US", 12.5, Value::NumberType::Double, "12.5"},
    {"en_US", 1234567, Value::NumberType::Double, "1234567"},
    {"en_US", 0.1 + 0.2, Value::NumberType::Double, "0.3"},
    {"en_US", 1.0 / 3, Value::NumberType::Double, "0.333333333333333"},
    {"en_US", 2.0 / 3, Value::NumberType::Double, "0.666666666666667"},
    {"en_US", 123456789012345, Value::NumberType::Double, "123456789012345"},
    {"en_US", 1e15, Value::NumberType::Double, "1E+15"},
    {"en_US", 1234567890123456, Value::NumberType::Double, "1.23456789012346E+15"},
    {"en_US", 0.0001, Value::NumberType::Double, "0.0001"},
    {"en_US", 0.000015, Value::NumberType::Double, "1.5E-05"},
    {"en_US", -0.0, Value::NumberType::Double, "0"},
    {"en_US", 1.0 / 3, Value::NumberType::Single, "0.3333333"},
    {"en_US", 12345678, Value::NumberType::Single, "1.234568E+07"},
    {"en_US", 2147483647, Value::NumberType::Long, "2147483647"},
    {"en_US", std::numeric_limits<double>::infinity(), Value::NumberType::Double, "1.#INF"},
    {"de_DE", 12.5, Value::NumberType::Double, "12,5"},
    {"de_DE", 0.000015, Value::NumberType::Double, "1,5E-05"},
    {"fr_FR", -1234.25, Value::NumberType::Double, "-1234,25"},
};

TEST(LocaleRulesWriting, NumbersAsThePlatformWritesThem)
{
    for (const NumberTextRow &row : numberTextRows) {
        SCOPED_TRACE(std::string(row.locale) + " " + row.expected);
        EXPECT_EQ(rulesFor(row.locale).numberToText(row.value, row.type), text(row.expected));
    }
}

TEST(LocaleRulesWriting, DatesInTheLocalesShortFormWithAFourDigitYear)
{
    for (const DateRow &row : dateTextRows)
        EXPECT_EQ(rulesFor(row.locale).dateToText(serialOf(row)), text(row.text)) << row.text;
}

TEST(LocaleRulesWriting, DatesReadBackToTheSecond)
{
    // The edges, then a prime step in days with an uneven time over the whole calendar.
    QList<double> serials {0.0, 0.25, 0.99998843, 1.0, -1.25, 2958465.99998843};
    for (double days = DateSerial::MinSerial; days <= 2958465; days += 997)
        serials << days
                << DateSerial::combine(
                       days, int(std::fmod(std::fabs(days) * 7919.0, 86400.0)) / 86400.0);
    for (const char *locale : {"en_US", "de_DE", "fr_FR"}) {
        for (const double serial : serials) {
            const QString written = rulesFor(locale).dateToText(serial);
            double back = -1e9;
            ASSERT_TRUE(rulesFor(locale).toDate(written, back))
                << locale << " " << written.toStdString();
            EXPECT_NEAR(back, serial, 0.5 / 86400) << locale << " " << written.toStdString();
        }
    }
}

TEST(LocaleRulesWriting, AnyValueAsText)
{
    const LocaleRules &de = rulesFor("de_DE");
    EXPECT_EQ(de.toText(Value()), QString());
    EXPECT_EQ(de.toText(Value::number(12.5)), u"12,5");
    EXPECT_EQ(de.toText(Value::number(1.0 / 3, Value::NumberType::Single)), u"0,3333333");
    EXPECT_EQ(de.toText(Value::text(QStringLiteral("a.b"))), u"a.b");
    EXPECT_EQ(de.toText(Value::date(38717)), u"31.12.2005");
    EXPECT_EQ(de.toText(Value::logical(true)), u"True");
}

} // namespace
