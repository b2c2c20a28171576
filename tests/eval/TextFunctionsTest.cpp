#include "Evaluator.h"
#include "RecordingDialogs.h"

#include <gtest/gtest.h>

namespace {

struct Row
{
    const char *locale;
    QString expression;
    QString expected;
};

void PrintTo(const Row &row, std::ostream *os)
{
    *os << row.locale << " " << row.expression.toStdString();
}

class TextFunctionResults : public testing::TestWithParam<Row>
{
};

TEST_P(TextFunctionResults, GiveTheExpectedText)
{
    const Row &row = GetParam();
    RecordingDialogs dialogs;
    Evaluator ev {QLocale(row.locale), dialogs};
    const Value result = ev.evaluate(row.expression);
    EXPECT_EQ(ev.locale().toText(result), row.expected);
    EXPECT_FALSE(ev.state().ErrorFlag) << ev.state().ErrText.toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(LeftRightMid, TextFunctionResults,
    testing::Values(Row {"en_US", R"(Left("abcdef";2))", "ab"},
        Row {"en_US", R"(LEFT("abcdef";10))", "abcdef"}, Row {"en_US", R"(left("abcdef";0))", ""},
        Row {"en_US", R"(Right("abcdef";2))", "ef"},
        Row {"en_US", R"(Right("abcdef";10))", "abcdef"},
        Row {"en_US", R"(Left("abcdef";2.5))", "ab"},
        Row {"en_US", R"(Left("abcdef";3.5))", "abcd"},
        Row {"de_DE", R"(Left("abcdef";2,5))", "ab"}, Row {"en_US", R"(Left("abcdef";1+2))", "abc"},
        Row {"en_US", R"(Left("a\;b";3))", "a;b"}, Row {"en_US", R"(Left(12345;2)+1)", "13"},
        Row {"en_US", R"(Mid("abcdef";3))", "cdef"}, Row {"en_US", R"(Mid("abcdef";3;2))", "cd"},
        Row {"en_US", R"(Mid("abcdef";9))", ""}, Row {"en_US", R"(Mid("abcdef";6;5))", "f"},
        Row {"en_US", R"(Mid("abcdef";2.5;1.5))", "bc"}, Row {"en_US", R"(Mid("abcdef";3;0))", ""},
        Row {"en_US", R"(Mid("abcdef";1.5))", "bcdef"},
        Row {"en_US", R"(Mid("abcdef";2.5))", "bcdef"}, Row {"en_US", R"(Right("abcdef";0.5))", ""},
        Row {"en_US", R"(Right("abcdef";1.5))", "ef"}));

INSTANTIATE_TEST_SUITE_P(Round, TextFunctionResults,
    testing::Values(Row {"en_US", "Round(2.5;0)", "3"}, Row {"en_US", "Round(-2.5;0)", "-3"},
        Row {"en_US", "Round(2.345;2)", "2.35"}, Row {"en_US", "Round(1.005;2)", "1.01"},
        Row {"de_DE", "Round(2,345;2)", "2,35"}, Row {"en_US", "Round(2;2)", "2"},
        Row {"en_US", "Round(1+1;1)", "2"}, Row {"en_US", "Round(1234567.891; 1)", "1234567.9"}));

INSTANTIATE_TEST_SUITE_P(Format, TextFunctionResults,
    testing::Values(Row {"en_US", R"(Format(1234.5;"#,##0.00"))", "1,234.50"},
        Row {"en_US", "Format(1234.5;#,##0.00)", "1,234.50"},
        Row {"de_DE", "Format(1234,5;#,##0.00)", "1.234,50"},
        Row {"en_US", R"(Format(2.345;"0.00"))", "2.35"},
        Row {"en_US", "Format(2.345;0.00)", "2.35"}, Row {"en_US", "Format(0.256;0.0%)", "25.6%"},
        Row {"en_US", "Format(1234567;0.00E+00)", "1.23E+06"},
        Row {"en_US", R"(Format(-5;0\;(0)))", "(5)"},
        Row {"en_US", R"(Format(0;0\;(0)\;"zero"))", "zero"},
        Row {"en_US", R"(Format("abc";@@@@@))", "  abc"},
        // A date text that comes out is read back as a date.
        Row {"en_US", R"(Format("12/31/2005";mmmm d, yyyy))", "12/31/2005"},
        Row {"en_US", R"(Format("12/31/2005";mmmm))", "December"},
        Row {"de_DE", R"(Format("31.12.2005";dddd))", "Samstag"},
        Row {"en_US", R"(Format(5;"Yes/No"))", "Yes"}, Row {"en_US", "Format(2+3;0.00)", "5.00"},
        Row {"en_US", "Format(5;)", "5"}, Row {"en_US", "Format(5;0.00) + 1", "5.001"}));

// The texts the functions return before Token reads them back: with ConcatMode raised
// Token leaves them as they are.
class TextFunctionTexts : public testing::TestWithParam<Row>
{
};

TEST_P(TextFunctionTexts, AreWhatTheFunctionWrote)
{
    const Row &row = GetParam();
    RecordingDialogs dialogs;
    Evaluator ev {QLocale(row.locale), dialogs};
    ev.state().ConcatMode = true;
    const Value result = ev.Eval(row.expression);
    ASSERT_TRUE(result.isText());
    EXPECT_EQ(result.text(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(All, TextFunctionTexts,
    testing::Values(Row {"en_US", "Round(2;2)", "2.00"}, Row {"de_DE", "Round(2;2)", "2,00"},
        Row {"en_US", "Round(3.14159;0)", "3."}, Row {"en_US", "Round(2;2.5)", "2.00"},
        Row {"en_US", R"(Format("12/31/2005";mmmm d, yyyy))", "December 31, 2005"},
        Row {"de_DE", R"(Format("31.12.2005";d. mmmm yyyy))", "31. Dezember 2005"},
        Row {"en_US", R"(Format("12/31/2005 17:04";hh:nn AM/PM))", "05:04 PM"},
        Row {"en_US", R"(Format("12/31/2005";dd/mm/yyyy))", "31/12/2005"},
        Row {"de_DE", R"(Format("31.12.2005";dd/mm/yyyy))", "31.12.2005"},
        Row {"en_US", R"(Format(1234.5;" #,##0.00"))", " 1,234.50"}));

struct Rejection
{
    QString expression;
    QString message;
};

class TextFunctionMessages : public testing::TestWithParam<Rejection>
{
};

void PrintTo(const Rejection &row, std::ostream *os)
{
    *os << row.expression.toStdString();
}

TEST_P(TextFunctionMessages, SetErrText)
{
    RecordingDialogs dialogs;
    Evaluator ev {QLocale("en_US"), dialogs};
    ev.evaluate(GetParam().expression);
    EXPECT_TRUE(ev.state().ErrorFlag);
    EXPECT_EQ(ev.state().ErrText, GetParam().message);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(All, TextFunctionMessages,
    testing::Values(
        Rejection {R"(Left("abc"))", "Invalid number of arguments in the Left Function."},
        Rejection {R"(Left("abc";1;2))", "Invalid number of arguments in the Left Function."},
        Rejection {R"(Right("abc"))", "Invalid number of arguments in the Right Function."},
        Rejection {R"(Left("abc";"x"))", "The 2nd argument of the Left function is not numeric!"},
        Rejection {R"(Right("abc";x))", "The 2nd argument of the Right function is not numeric!"},
        Rejection {R"(Mid("abc"))", "Invalid number of arguments in the Mid Function."},
        Rejection {R"(Mid("abc";1;2;3))", "Invalid number of arguments in the Mid Function."},
        Rejection {R"(Mid("abc";x))", "The 2nd argument of the Mid function is not numeric!"},
        Rejection {R"(Mid("abc";x;y))", "The 2nd argument of the Mid function is not numeric!"},
        Rejection {R"(Mid("abc";1;y))", "The 3rd argument of the Mid function is not numeric!"},
        Rejection {"Round(1)", "Invalid number of arguments in the Round Function."},
        Rejection {"Round(x;1)", "The first argument of the Round function is not numeric."},
        Rejection {"Round(x;y)", "The first argument of the Round function is not numeric."},
        Rejection {"Round(1;y)", "The second argument of the Round function is not numeric."},
        Rejection {"Round(1+1;1+1)", "The second argument of the Round function is not numeric."},
        Rejection {R"(Round(1;"2"))", "The second argument of the Round function is not numeric."},
        Rejection {"Format(1)", "Invalid number of arguments in the Format Function."},
        Rejection {"Format(1;2;3)", "Invalid number of arguments in the Format Function."}));

struct Failure
{
    QString expression;
    QString error; // how the box text starts
};

void PrintTo(const Failure &row, std::ostream *os)
{
    *os << row.expression.toStdString();
}

class TextFunctionFailures : public testing::TestWithParam<Failure>
{
};

TEST_P(TextFunctionFailures, EndInTheSyntaxErrorBox)
{
    RecordingDialogs dialogs;
    Evaluator ev {QLocale("en_US"), dialogs};
    ev.evaluate(GetParam().expression);
    EXPECT_FALSE(ev.state().ErrorFlag);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().front().caption, "Syntax error");
    EXPECT_TRUE(dialogs.shown().front().text.startsWith(GetParam().error))
        << dialogs.shown().front().text.toStdString();
}

const QString InvalidCall = QStringLiteral("Error 5: 'Invalid procedure call or argument'");
const QString Overflow = QStringLiteral("Error 6: 'Overflow'");

INSTANTIATE_TEST_SUITE_P(All, TextFunctionFailures,
    testing::Values(Failure {R"(Left("abc";-1))", InvalidCall},
        Failure {R"(Right("abc";-1))", InvalidCall}, Failure {R"(Mid("abc";0))", InvalidCall},
        Failure {R"(Mid("abc";0.5))", InvalidCall}, Failure {R"(Mid("abc";1;-1))", InvalidCall},
        Failure {"Round(1;-1)", InvalidCall}, Failure {"Format(1E10;yyyy)", InvalidCall},
        Failure {R"(Format(5;0\;0\;0\;0\;0))", InvalidCall},
        Failure {R"(Left("abc";1E20))", Overflow}, Failure {R"(Mid("abc";1;1E10))", Overflow},
        Failure {"Round(1;40000)", Overflow}));

TEST(TextFunctions, FormatRaisesFormatModeAndOthersDoNot)
{
    RecordingDialogs dialogs;
    Evaluator ev {QLocale("en_US"), dialogs};
    const char *plain[] = {R"(Left("12";1))", "Round(1;1)", R"(Mid("12";1))", "Format(1)"};
    for (const char *expression : plain) {
        ev.evaluate(QString::fromUtf8(expression));
        EXPECT_FALSE(ev.state().FormatMode) << expression;
        ev.state().clearError();
    }
    const Value formatted = ev.evaluate(u"Format(12;0.00)");
    EXPECT_TRUE(ev.state().FormatMode);
    EXPECT_TRUE(formatted.isText());
    EXPECT_EQ(formatted.text(), "12.00");
}

} // namespace
