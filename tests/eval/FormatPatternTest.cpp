#include "FormatPattern.h"
#include "EvalHarness.h"
#include "OrvantaError.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace {

struct Row
{
    const char *locale;
    QString value;
    QString pattern;
    QString expected;
};

void PrintTo(const Row &row, std::ostream *os)
{
    *os << row.locale << " [" << row.value.toStdString() << "] with [" << row.pattern.toStdString()
        << "]";
}

using FormatPatternRows = testing::TestWithParam<Row>;

TEST_P(FormatPatternRows, FormatsAsExpected)
{
    const Row &row = GetParam();
    EXPECT_EQ(FormatPattern::format(row.value, row.pattern, rulesFor(row.locale)), row.expected);
}

// 31 December 2005 (a Saturday), 17:04:03.
const QString Eve = QStringLiteral("38717.7111458333");
const QString EveDe = QStringLiteral("38717,7111458333");

INSTANTIATE_TEST_SUITE_P(Numbers, FormatPatternRows,
    testing::Values(Row {"en_US", "1234.5", "#,##0.00", "1,234.50"},
        Row {"de_DE", "1234,5", "#,##0.00", "1.234,50"},
        Row {"fr_FR", "1234,5", "#,##0.00", QStringLiteral("1\u202f234,50")},
        Row {"en_US", "0.5", "#,##0.00", "0.50"}, Row {"en_US", "5", "000", "005"},
        Row {"en_US", "12345", "00", "12345"},
        Row {"en_US", "123456789", "000-00-0000", "123-45-6789"}, Row {"en_US", "1", "0.##", "1."},
        Row {"en_US", "1.25", "0.0#", "1.25"}, Row {"en_US", "0.5", "#.##", ".5"},
        Row {"en_US", "0", "#", ""}, Row {"en_US", "12.5", ".00", "12.50"},
        Row {"en_US", "1E+20", "0", "100000000000000000000"},
        Row {"en_US", "0.000001234", "0.00000000", "0.00000123"},
        Row {"en_US", "5", "#,##0000", "0,005"}, Row {"en_US", "1234567", "#,#", "1,234,567"},
        Row {"en_US", "999.999", "#,##0.00", "1,000.00"}, Row {"en_US", "1234", ",0", "1234"},
        Row {"en_US", "1234567", "#,##0,", "1,235"}, Row {"en_US", "1234567", "0.0,,", "1.2"},
        Row {"en_US", "0.256", "0.0%", "25.6%"}));

INSTANTIATE_TEST_SUITE_P(Rounding, FormatPatternRows,
    testing::Values(Row {"en_US", "2.345", "0.00", "2.35"}, Row {"en_US", "1.005", "0.00", "1.01"},
        Row {"en_US", "2.5", "0", "3"}, Row {"en_US", "-2.5", "0", "-3"},
        Row {"en_US", "9.995", "0.00", "10.00"}, Row {"en_US", "-0.001", "0.00", "0.00"}));

INSTANTIATE_TEST_SUITE_P(Scientific, FormatPatternRows,
    testing::Values(Row {"en_US", "1234567", "0.00E+00", "1.23E+06"},
        Row {"en_US", "0.000123", "0.00E-00", "1.23E-04"},
        Row {"en_US", "1234567", "0.00E-00", "1.23E06"},
        Row {"en_US", "1234567", "0.0e+0", "1.2e+6"},
        Row {"en_US", "9.999", "0.00E+00", "1.00E+01"},
        Row {"en_US", "1234567", "00.0E+00", "12.3E+05"},
        Row {"en_US", "0", "0.00E+00", "0.00E+00"}));

INSTANTIATE_TEST_SUITE_P(SectionsAndLiterals, FormatPatternRows,
    testing::Values(Row {"en_US", "-5", "0;(0)", "(5)"}, Row {"en_US", "0", "0;(0);zero", "zero"},
        Row {"en_US", "-5", "0;;zero", "-5"}, Row {"en_US", "0", "0.00;;", "0.00"},
        Row {"en_US", "-5", "$0.00", "-$5.00"}, Row {"en_US", "5", "+0 (x)", "+5 (x)"},
        Row {"en_US", "5", "0 \\k\\g", "5 kg"}, Row {"en_US", "5", "0 \"units\"", "5 units"},
        Row {"en_US", "5", "\\0\\#0", "0#5"}, Row {"en_US", "-7", "(+);(-)", "(-)"}));

INSTANTIATE_TEST_SUITE_P(Dates, FormatPatternRows,
    testing::Values(Row {"en_US", Eve, "dd/mm/yyyy", "31/12/2005"},
        Row {"de_DE", EveDe, "dd/mm/yyyy", "31.12.2005"},
        Row {"en_US", Eve, "DD/MM/YYYY", "31/12/2005"},
        Row {"en_US", Eve, "mmmm d, yyyy", "December 31, 2005"},
        Row {"de_DE", EveDe, "d. mmmm yyyy", "31. Dezember 2005"},
        Row {"en_US", Eve, "d-mmm-yy", "31-Dec-05"}, Row {"en_US", Eve, "m/d/y", "12/31/365"},
        Row {"de_DE", EveDe, "dddd", "Samstag"}, Row {"en_US", Eve, "ddd", "Sat"},
        Row {"en_US", Eve, "ddddd", "12/31/2005"},
        Row {"en_US", Eve, "dddddd", "Saturday, December 31, 2005"}, Row {"en_US", Eve, "q", "4"},
        Row {"en_US", Eve, "w", "7"}, Row {"en_US", Eve, "ww", "53"},
        Row {"en_US", "38353", "ww", "1"}, Row {"en_US", "38354", "ww", "2"},
        Row {"en_US", Eve, "hh:nn AM/PM", "05:04 PM"},
        Row {"en_US", "38717.25", "h:nn am/pm", "6:00 am"},
        Row {"en_US", "38717.5", "h A/P", "12 P"}, Row {"en_US", Eve, "h AMPM", "5 PM"},
        Row {"en_US", Eve, "hh:nn:ss", "17:04:03"}, Row {"de_DE", EveDe, "h:n:s", "17:4:3"},
        Row {"en_US", Eve, "hh:mm", "17:04"}, Row {"en_US", Eve, "hh\\h mm", "17h 04"},
        Row {"en_US", Eve, "ttttt", "5:04:03 PM"}, Row {"en_US", Eve, "c", "12/31/2005 5:04:03 PM"},
        Row {"en_US", "38717", "c", "12/31/2005"}, Row {"en_US", "12/31/2005", "yyyy", "2005"},
        Row {"en_US", "12/31/2005", "0.00", "38717.00"}));

INSTANTIATE_TEST_SUITE_P(TextAndAsIs, FormatPatternRows,
    testing::Values(Row {"en_US", "abc", "@@@@@", "  abc"}, Row {"en_US", "abc", "!@@@@@", "abc  "},
        Row {"en_US", "abc", "&&&&&", "abc"}, Row {"en_US", "abcdef", "@@@", "abcdef"},
        Row {"en_US", "1234567890", "(@@@) @@@-@@@@", "(123) 456-7890"},
        Row {"en_US", "Hello", ">", "HELLO"}, Row {"en_US", "HeLLo", "<@@@@@@", " hello"},
        Row {"en_US", "", "@;empty", "empty"}, Row {"en_US", "abc", "", "abc"},
        Row {"en_US", "1234.50", "", "1234.50"}, Row {"en_US", "abc", "0.00", "abc"},
        Row {"en_US", "", "0.00", ""}));

INSTANTIATE_TEST_SUITE_P(NamedFormats, FormatPatternRows,
    testing::Values(Row {"en_US", "1234.50", "General Number", "1234.5"},
        Row {"en_US", "1234.5", "Currency", "$1,234.50"},
        Row {"en_US", "-1234.5", "currency", "($1,234.50)"},
        Row {"de_DE", "1234,5", "Currency", QStringLiteral("1.234,50\u00a0\u20ac")},
        Row {"en_US", "1234.5", "Fixed", "1234.50"},
        Row {"en_US", "1234.5", "STANDARD", "1,234.50"},
        Row {"en_US", "0.256", "Percent", "25.60%"},
        Row {"en_US", "1234567", "Scientific", "1.23E+06"}, Row {"en_US", "0", "Yes/No", "No"},
        Row {"en_US", "-1", "true/false", "True"}, Row {"en_US", "0", "On/Off", "Off"},
        Row {"en_US", Eve, "General Date", "12/31/2005 5:04:03 PM"},
        Row {"en_US", Eve, "Long Date", "Saturday, December 31, 2005"},
        Row {"en_US", Eve, "Medium Date", "31-Dec-05"},
        Row {"en_US", Eve, "Short Date", "12/31/2005"},
        Row {"en_US", Eve, "Long Time", "5:04:03 PM"},
        Row {"en_US", Eve, "Medium Time", "05:04 PM"}, Row {"en_US", Eve, "Short Time", "17:04"},
        Row {"fr_FR", EveDe, "dddd d mmmm yyyy", QStringLiteral("samedi 31 d\u00e9cembre 2005")},
        Row {"fr_FR", EveDe, "Long Date", QStringLiteral("samedi 31 d\u00e9cembre 2005")},
        Row {"fr_FR", EveDe, "ttttt", "17:04:03"},
        Row {"fr_FR", "1234,5", "Currency", QStringLiteral("1\u202f234,50\u00a0\u20ac")},
        Row {"fr_FR", "1234,5", "Standard", QStringLiteral("1\u202f234,50")}));

TEST(FormatPattern, RejectsWhatItCannotApply)
{
    for (const auto &[value, pattern] :
        {std::pair {"1E+10", "yyyy"}, {"-1E+10", "dd/mm/yyyy"}, {"5", "0;0;0;0;0"}}) {
        try {
            FormatPattern::format(
                QString::fromLatin1(value), QString::fromLatin1(pattern), rulesFor("en_US"));
            ADD_FAILURE() << pattern << " was accepted";
        } catch (const OrvantaError &error) {
            EXPECT_EQ(error.number(), OrvantaError::InvalidProcedureCall) << pattern;
        }
    }
}

// Random patterns of pattern characters against assorted values: each either formats or
// throws OrvantaError, and the same pattern gives the same text twice (the cache).
TEST(FormatPattern, SurvivesRandomPatterns)
{
    const QString alphabet = QStringLiteral("0#.,%E+-e;\\\"@&<>!dmyhnsqwctAMP/: x$()");
    const QStringList values
        = {"0", "-1234.5678", "1E+300", "0.0000001", "38717.5", "12/31/2005", "abc", "", "-0"};
    QRandomGenerator random(20051231);
    for (int i = 0; i < 20000; ++i) {
        QString pattern;
        const int length = random.bounded(12);
        for (int k = 0; k < length; ++k)
            pattern += alphabet[random.bounded(int(alphabet.size()))];
        const QString &value = values[random.bounded(int(values.size()))];
        try {
            const QString first = FormatPattern::format(value, pattern, rulesFor("en_US"));
            EXPECT_EQ(FormatPattern::format(value, pattern, rulesFor("en_US")), first);
        } catch (const OrvantaError &) {
        }
    }
}

} // namespace
