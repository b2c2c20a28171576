#include "DateSerial.h"
#include "EvalHarness.h"
#include "VariantMath.h"

namespace {

// The clock of EvalHarness stands at Saturday 14 March 2026, 15:09:26.
const EvalRow englishRows[] = {
    {"Abs(-2.5)", "Number 2.5"},
    {"ABS(-1)", "Number 1"},
    {"aBs(-1)", "Number 1"},
    {"Abs(\"12/31/2005\")", "Date 12/31/2005"},
    {"Sgn(-3)", "Number -1"},
    {"Sgn(0)", "Number 0"},
    {"Sgn(7)", "Number 1"},
    {"Sqr(16)", "Number 4"},
    {"Sqr(2)", "Number 1.41421356"},
    {"Int(-2.5)", "Number -3"},
    {"Int(2.7)", "Number 2"},
    {"Day(\"12/31/2005\")", "Number 31"},
    {"Day(38717)", "Number 31"},
    {"Month(\"12/31/2005\")", "Number 12"},
    {"Year(\"12/31/2005\")", "Number 2005"},
    {"MonthName(\"12/31/2005\")", "Text December"},
    {"Weekday(\"1/1/2006\")", "Number 1"},
    {"Weekday(\"1/7/2006\")", "Number 7"},
    {"WeekdayName(\"1/1/2006\")", "Text Sunday"},
    {"Hour(\"15:04:05\")", "Number 15"},
    {"Minute(\"15:04:05\")", "Number 4"},
    {"Second(\"15:04:05\")", "Number 5"},
    {"Hour(0.75)", "Number 18"},
    {"Date()", "Date 3/14/2026"},
    {"Date$()", "Date 3/14/2026"},
    {"\"\" & \"\" & Date$()", "Text 03-14-2026"},
    {"\"\" & \"\" & Time$()", "Text 15:09:26"},
    {"Timer()", "Number 54566"},
    {"Now", "Text Now"},
    {"Year(Now())", "Number 2026"},
    {"Len(\"abc\")", "Number 3"},
    {"Len(12.5)", "Number 4"},
    {"Len(\"\")", "Number 0"},
    {"Len(1;2)", "Number 3"},
    {"Trim(\"  a b  \")", "Text a b"},
    {"LTrim(\"  a b  \")", "Text a b  "},
    {"RTrim(\"  a b  \")", "Text   a b"},
    {"Trim(\"\ta\t\")", "Text \ta\t"},
    {"UCase(\"abc\")", "Text ABC"},
    {"LCase(\"ABC\")", "Text abc"},
    {"UCase(\"1e3\")", "Number 1000"},
    {"FCase(\"hello  wORLD\")", "Text Hello  World"},
    {"Val(\"  12 34abc\")", "Number 1234"},
    {"Val(\"1.5x\")", "Number 1.5"},
    {"Val(\"-.5x\")", "Number -0.5"},
    {"Val(\"1e3x\")", "Number 1000"},
    {"Val(\"1d2x\")", "Number 100"},
    {"Val(\"1e+x\")", "Number 1"},
    {"Val(\"abc\")", "Number 0"},
    {"Val(\"&HFFx\")", "Number 255"},
    {"Val(\"&HFFFFx\")", "Number -1"},
    {"Val(\"&H10000x\")", "Number 65536"},
    {"Val(\"&O17z\")", "Number 15"},
    {"Chr(65)", "Text A"},
    {"Chr(128)", "Text \u20ac"},
    {"Chr(233)", "Text \u00e9"},
    {"Asc(\"A\")", "Number 65"},
    {"Asc(\"\u20ac\")", "Number 128"},
    {"Asc(\"\u4e2d\")", "Number 63"},
    {"Asc(Chr(159))", "Number 159"},
    {"Len(Space(3))", "Number 3"},
    {"Space(2) & \"x\"", "Text   x"},
    {"Hex(255)", "Text FF"},
    {"Hex(-1)", "Text FFFFFFFF"},
    {"Hex(16)", "Number 10"},
    {"Hex(2.5)", "Number 2"},
    {"Hex(3.5)", "Number 4"},
    {"Oct(8)", "Number 10"},
    {"Oct(-1) & \"\"", "Text 37777777777"},
    {"Sin(0)", "Number 0"},
    {"Cos(0)", "Number 1"},
    {"Tan(0)", "Number 0"},
    {"Atn(1) * 4", "Number 3.14159265"},
    {"Exp(1)", "Number 2.71828183"},
    {"Log(1)", "Number 0"},
    {"Log(Exp(2))", "Number 2"},
    {"Lefty(2+3)", "Number 5"},
    {"Abs (-1)", "Number -1"},
};

const EvalRow germanRows[] = {
    {"Abs(-2,5)", "Number 2,5"},
    {"MonthName(38717)", "Text Dezember"},
    {"WeekdayName(38718)", "Text Sonntag"},
    {"Weekday(38718)", "Number 1"},
    {"Day(Date() - 1)", "Number 13"},
    {"Date()", "Date 14.03.2026"},
    {"Date$()", "Text 03-14-2026"},
    {"Len(12,5)", "Number 4"},
    {"Val(\"1.5x\")", "Number 1,5"},
    {"Sqr(2)", "Number 1,41421356"},
};

const EvalRow frenchRows[] = {
    {"MonthName(\"31/12/2005\")", "Text d\u00e9cembre"},
    {"WeekdayName(\"01/01/2006\")", "Text dimanche"},
    {"Weekday(\"01/01/2006\")", "Number 1"},
    {"\"\" & \"\" & Date$()", "Text 03-14-2026"},
    {"Date()", "Date 14/03/2026"},
    {"Val(\"1.5x\")", "Number 1,5"},
    {"Len(12,5)", "Number 4"},
};

class BasicFunctionRows : public testing::TestWithParam<std::tuple<std::string, EvalRow>>
{
};

TEST_P(BasicFunctionRows, GivesTheResultOfTheTable)
{
    const auto &[locale, row] = GetParam();
    EvalHarness h(locale.c_str());
    EXPECT_EQ(h.evaluate(QString::fromUtf8(row.expression)), QString::fromUtf8(row.expected))
        << row.expression;
    EXPECT_TRUE(h.dialogs.shown().isEmpty()) << row.expression;
}

INSTANTIATE_TEST_SUITE_P(English, BasicFunctionRows,
    testing::Combine(testing::Values(std::string("en_US")), testing::ValuesIn(englishRows)));
INSTANTIATE_TEST_SUITE_P(German, BasicFunctionRows,
    testing::Combine(testing::Values(std::string("de_DE")), testing::ValuesIn(germanRows)));
INSTANTIATE_TEST_SUITE_P(French, BasicFunctionRows,
    testing::Combine(testing::Values(std::string("fr_FR")), testing::ValuesIn(frenchRows)));

// A value the function cannot take: the "Syntax error" box, and the call reads as its name.
struct RejectedRow
{
    const char *expression;
    int number;
    const char *description;
    const char *operand;
};

void PrintTo(const RejectedRow &row, std::ostream *os)
{
    *os << row.expression;
}

const RejectedRow rejectedRows[] = {
    {"Sqr(-4)", 5, "Invalid procedure call or argument", "Sqr"},
    {"Log(0)", 5, "Invalid procedure call or argument", "Log"},
    {"log(-1)", 5, "Invalid procedure call or argument", "log"},
    {"Asc(\"\")", 5, "Invalid procedure call or argument", "Asc"},
    {"Chr(256)", 5, "Invalid procedure call or argument", "Chr"},
    {"Chr(-1)", 5, "Invalid procedure call or argument", "Chr"},
    {"Space(-1)", 5, "Invalid procedure call or argument", "Space"},
    {"Abs(1;2)", 13, "Type mismatch", "Abs"},
    {"Day(\"abc\")", 13, "Type mismatch", "Day"},
    {"Month(\"\")", 13, "Type mismatch", "Month"},
    {"Hour(\"x\")", 13, "Type mismatch", "Hour"},
    {"Sin(\"x\")", 13, "Type mismatch", "Sin"},
    {"Year(1E10)", 6, "Overflow", "Year"},
    {"Exp(1000)", 6, "Overflow", "Exp"},
    {"Hex(1E10)", 6, "Overflow", "Hex"},
    {"Val(\"1e999x\")", 6, "Overflow", "Val"},
    {"Space(1E9)", 7, "Out of memory", "Space"},
};

class RejectedArgument : public testing::TestWithParam<RejectedRow>
{
};

TEST_P(RejectedArgument, ShowsTheSyntaxErrorBoxAndReadsAsTheName)
{
    const RejectedRow &row = GetParam();
    EvalHarness h("en_US");
    EXPECT_EQ(h.evaluate(QString::fromUtf8(row.expression)),
        QStringLiteral("Text ") + QString::fromLatin1(row.operand));
    EXPECT_EQ(
        h.dialogs.texts(), QStringList {EvalHarness::syntaxError(row.number, row.description, 3)});
    EXPECT_EQ(h.dialogs.shown().front().caption, QStringLiteral("Syntax error"));
    EXPECT_FALSE(h.ev.state().ErrorFlag);
}

INSTANTIATE_TEST_SUITE_P(BasicFunctions, RejectedArgument, testing::ValuesIn(rejectedRows));

TEST(BasicFunctions, TimeIsTheClockOnDayZero)
{
    EvalHarness h("en_US");
    const Value time = h.ev.evaluate(u"Time()");
    EXPECT_EQ(time.kind(), Value::Kind::Date);
    EXPECT_DOUBLE_EQ(time.number(), VariantMath::roundHalfEven(DateSerial::fromTime(15, 9, 26), 8));
}

TEST(BasicFunctions, NowIsTheClockAsADate)
{
    EvalHarness h("en_US");
    double day = 0.0;
    ASSERT_TRUE(DateSerial::fromDate(2026, 3, 14, day));
    const Value now = h.ev.evaluate(u"Now()");
    EXPECT_EQ(now.kind(), Value::Kind::Date);
    EXPECT_DOUBLE_EQ(
        now.number(), VariantMath::roundHalfEven(day + DateSerial::fromTime(15, 9, 26), 8));
}

} // namespace
