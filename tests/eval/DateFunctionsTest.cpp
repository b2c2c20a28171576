#include "DateFunctions.h"
#include "DateSerial.h"
#include "Evaluator.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

double serialOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    double days = 0;
    EXPECT_TRUE(DateSerial::fromDate(year, month, day, days));
    return DateSerial::combine(days, DateSerial::fromTime(hour, minute, second));
}

// One evaluator in a fixed locale with its clock stopped at 15 June 2025, 10:00.
struct Session
{
    explicit Session(const char *localeName)
        : evaluator(QLocale(QString::fromLatin1(localeName)), dialogs)
    {
        evaluator.setClock([] { return QDateTime(QDate(2025, 6, 15), QTime(10, 0)); });
    }

    Value evaluate(const char *expression)
    {
        return evaluator.evaluate(QString::fromUtf8(expression));
    }

    // Calls a function body directly, without the evaluator's handling of what it throws.
    Value call(const char *name, const char *argumentText)
    {
        for (const FunctionEntry &entry : dateFunctions()) {
            if (entry.name != QLatin1StringView(name))
                continue;
            const QString text = QString::fromUtf8(argumentText);
            if (entry.arity == FunctionEntry::Arity::List)
                return entry.list(evaluator, text);
            return entry.single(evaluator, evaluator.Eval(text));
        }
        ADD_FAILURE() << "no date function " << name;
        return {};
    }

    int errorNumberOf(const char *name, const char *argumentText)
    {
        try {
            call(name, argumentText);
        } catch (const OrvantaError &e) {
            return e.number();
        }
        return 0;
    }

    RecordingDialogs dialogs;
    Evaluator evaluator;
};

struct DateRow
{
    const char *locale;
    const char *expression;
    double expected; // a serial
};

TEST(DateFunctionsTest, DateAddGivesDates)
{
    const DateRow rows[] = {
        {"en_US", R"(DateAdd("m";1;"1/31/2005"))", serialOf(2005, 2, 28)},
        {"en_US", R"(DateAdd("yyyy";1;"2/29/2004"))", serialOf(2005, 2, 28)},
        {"en_US", R"(DateAdd("ww";1;"12/28/2005"))", serialOf(2006, 1, 4)},
        {"en_US", R"(DateAdd("h";36;"1/1/2005"))", serialOf(2005, 1, 2, 12)},
        // The fraction of the number is dropped, toward zero.
        {"en_US", R"(DateAdd("d";1.9;"1/1/2005"))", serialOf(2005, 1, 2)},
        {"en_US", R"(DateAdd("d";-1.9;"1/1/2005"))", serialOf(2004, 12, 31)},
        // Arguments after the third are evaluated and ignored.
        {"en_US", R"(DateAdd("d";2;"1/1/2005";"junk";7))", serialOf(2005, 1, 3)},
        {"en_US", R"(DateAdd("d";1;DateAdd("m"\;1\;"1/31/2005")))", serialOf(2005, 3, 1)},
        {"de_DE", R"(DateAdd("m";1;"31.01.2005"))", serialOf(2005, 2, 28)},
        {"de_DE", R"(DateAdd("d";1,9;"01.01.2005"))", serialOf(2005, 1, 2)},
        {"de_DE", R"(DateAdd("yyyy";-1;"29.02.2008"))", serialOf(2007, 2, 28)},
    };
    for (const DateRow &row : rows) {
        Session session(row.locale);
        const Value result = session.evaluate(row.expression);
        EXPECT_TRUE(result.isDate()) << row.locale << ' ' << row.expression;
        EXPECT_NEAR(result.number(), row.expected, 1e-8) << row.locale << ' ' << row.expression;
        EXPECT_FALSE(session.evaluator.state().ErrorFlag) << row.expression;
        EXPECT_TRUE(session.dialogs.shown().isEmpty()) << row.expression;
    }
}

struct NumberRow
{
    const char *locale;
    const char *expression;
    double expected;
};

void expectNumbers(std::span<const NumberRow> rows)
{
    for (const NumberRow &row : rows) {
        Session session(row.locale);
        const Value result = session.evaluate(row.expression);
        EXPECT_TRUE(result.isNumber()) << row.locale << ' ' << row.expression;
        EXPECT_EQ(result.number(), row.expected) << row.locale << ' ' << row.expression;
        EXPECT_FALSE(session.evaluator.state().ErrorFlag) << row.expression;
        EXPECT_TRUE(session.dialogs.texts().isEmpty())
            << row.expression << ": " << session.dialogs.texts().join(u'|').toStdString();
    }
}

TEST(DateFunctionsTest, DatePartExtractsParts)
{
    const NumberRow rows[] = {
        {"en_US", R"(DatePart("yyyy";"6/15/2005"))", 2005},
        {"en_US", R"(DatePart("M";"6/15/2005"))", 6},
        {"en_US", R"(DatePart("d";"6/15/2005"))", 15},
        {"en_US", R"(DatePart("yyyy";"12/31"))", 2025},
        {"en_US", R"(DatePart("w";"6/15/2005"))", 4},
        {"en_US", R"(DatePart("w";"6/15/2005";2))", 3},
        {"en_US", R"(DatePart("ww";"6/15/2005"))", 25},
        {"en_US", R"(DatePart("ww";"12/31/2000"))", 54},
        {"en_US", R"(DatePart("ww";"1/1/2005";2;2))", 53},
        {"en_US", R"(DatePart("ww";"1/1/2005";2;3))", 52},
        {"en_US", R"(DatePart("h";DateAdd("s"\;49530\;"6/15/2005")))", 13},
        // First day of the week and first week of the year rounded, half to even.
        {"en_US", R"(DatePart("w";"6/15/2005";6.6))", 5},
        {"en_US", R"(DatePart("w";"6/15/2005";1.5))", 3},
        {"en_US", R"(DatePart("w";"6/15/2005";0.4))", 4},
        {"en_US", R"(DatePart("ww";"1/1/2005";2;2.5))", 53},
        // 0 is the locale's: Sunday and the week of 1 January in the United States,
        // Monday and the first four-day week in Germany.
        {"en_US", R"(DatePart("w";"6/15/2005";0))", 4},
        {"en_US", R"(DatePart("ww";"1/1/2005";0;0))", 1},
        {"de_DE", R"(DatePart("w";"15.06.2005";0))", 3},
        {"de_DE", R"(DatePart("ww";"01.01.2005";0;0))", 53},
        {"de_DE", R"(DatePart("ww";"03.01.2005";0;0))", 1},
        {"de_DE", R"(DatePart("w";"15.06.2005";6,6))", 5},
        {"de_DE", R"(DatePart("d";"15.06.2005";1;1;"ignored"))", 15},
        {"de_DE", R"(DatePart("YYYY";"15.06.2005"))", 2005},
        {"de_DE", R"(DatePart("yyyy";"31.12."))", 2025},
    };
    expectNumbers(rows);
}

TEST(DateFunctionsTest, DateDiffCountsCompletedPeriods)
{
    const NumberRow rows[] = {
        {"en_US", R"(DateDiff("yyyy";"6/15/2000";"6/14/2005"))", 4},
        {"en_US", R"(DateDiff("yyyy";"6/15/2000";"6/15/2005"))", 5},
        {"en_US", R"(DateDiff("YYYY";"6/15/2000";"6/14/2005"))", 5},
        {"en_US", R"(DateDiff("yyyy";"6/15/2005";"6/14/2000"))", -6},
        {"en_US", R"(DateDiff("yyyy";"6/14/2005";"6/15/2000"))", -5},
        // A 29 February anniversary falls on 1 March in other years.
        {"en_US", R"(DateDiff("yyyy";"2/29/2004";"2/28/2005"))", 0},
        {"en_US", R"(DateDiff("yyyy";"2/29/2004";"3/1/2005"))", 1},
        {"en_US", R"(DateDiff("yyyy";"2/29/2004";"2/29/2008"))", 4},
        {"en_US", R"(DateDiff("m";"1/31/2005";"2/28/2005"))", 0},
        {"en_US", R"(DateDiff("M";"1/31/2005";"2/28/2005"))", 1},
        {"en_US", R"(DateDiff("m";"3/15/2005";"1/14/2005"))", -3},
        {"en_US", R"(DateDiff("d";"1/1/2005";"3/1/2005"))", 59},
        {"en_US", R"(DateDiff("d";"3/1/2005";"1/1/2005"))", -59},
        {"en_US", R"(DateDiff("w";"1/1/2005";"1/15/2005"))", 2},
        {"en_US", R"(DateDiff("ww";"1/1/2005";"1/2/2005"))", 1},
        {"en_US", R"(DateDiff("ww";"1/1/2005";"1/2/2005";2))", 0},
        {"en_US", R"(DateDiff("h";"1/1/2005";"1/2/2005"))", 24},
        {"en_US", R"(DateDiff("n";"1/1/2005";DateAdd("s"\;119\;"1/1/2005")))", 1},
        {"en_US", R"(DateDiff("s";"1/2/2005";"1/1/2005"))", -86400},
        {"en_US", R"(DateDiff("d";"1/1/2005";"1/2/2005";1;1;"junk"))", 1},
        // Day first in Germany: the same text is 1 to 3 January.
        {"de_DE", R"(DateDiff("d";"1/1/2005";"3/1/2005"))", 2},
        {"de_DE", R"(DateDiff("yyyy";"15.06.2000";"14.06.2005"))", 4},
        {"de_DE", R"(DateDiff("m";"31.01.2005";"28.02.2005"))", 0},
        {"de_DE", R"(DateDiff("ww";"01.01.2005";"02.01.2005";0))", 0},
        {"de_DE", R"(DateDiff("ww";"01.01.2005";"03.01.2005";0))", 1},
    };
    expectNumbers(rows);
}

TEST(DateFunctionsTest, AgeCountsCompletedYearsToTheClock)
{
    const NumberRow rows[] = {
        {"en_US", R"(Age("6/15/1990"))", 35},
        {"en_US", R"(Age("6/16/1990"))", 34},
        {"en_US", R"(Age("5/31/1990"))", 35},
        {"en_US", R"(Age("7/1/1990"))", 34},
        {"en_US", R"(Age("2/29/2000"))", 25},
        {"en_US", R"(Age("1/1/2030"))", -5},
        {"en_US", R"(Age("12/31/2030"))", -6},
        // The argument is one expression: its semicolons need no escape.
        {"en_US", R"(Age(DateAdd("yyyy";-30;"6/16/2025")))", 29},
        {"de_DE", R"(Age("15.06.1990"))", 35},
        {"de_DE", R"(Age("16.06.1990"))", 34},
    };
    expectNumbers(rows);
}

struct RejectionRow
{
    const char *locale;
    const char *expression;
    const char *message;
};

TEST(DateFunctionsTest, RejectedArgumentsSetErrText)
{
    const RejectionRow rows[] = {
        {"en_US", R"(DateAdd("m";1))", "Invalid number of arguments in the DateAdd Function."},
        {"en_US", R"(DateAdd("x";1;"1/1/2005"))",
            "The 1st argument of the DateAdd function is invalid!"},
        {"en_US", R"(DateAdd("x";"abc";"abc"))",
            "The 1st argument of the DateAdd function is invalid!"},
        {"en_US", R"(DateAdd("m";"abc";"abc"))",
            "The 2nd argument of the DateAdd function is not numeric!"},
        {"en_US", R"(DatePart("d"))", "Invalid number of arguments in the DatePart Function."},
        // A number is not a date argument, as the platform's IsDate has it.
        {"en_US", R"(DatePart("d";5))", "The 2nd argument of the DatePart function is not a date!"},
        {"en_US", R"(DatePart("x";"abc"))",
            "The 2nd argument of the DatePart function is not a date!"},
        {"en_US", R"(DatePart("x";"6/15/2005"))",
            "The 1st argument of the DatePart function is not a valid interval!"},
        {"en_US", R"(DatePart("w";"6/15/2005";"x";"x"))",
            "The 3rd argument of the DatePart function is not numeric!"},
        {"en_US", R"(DatePart("w";"6/15/2005";9))",
            "The 3rd argument of the DatePart function should be between 1 and 7!"},
        {"en_US", R"(DatePart("w";"6/15/2005";7.6))",
            "The 3rd argument of the DatePart function should be between 1 and 7!"},
        {"en_US", R"(DatePart("w";"6/15/2005";1;"x"))",
            "The 4th argument of the DatePart function is invalid!"},
        {"en_US", R"(DatePart("ww";"6/15/2005";2;4))",
            "The 4th argument of the DatePart function should be either 1,2 or 3!"},
        {"en_US", R"(DatePart("ww";"6/15/2005";-5;4))",
            "The 4th argument of the DatePart function should be either 1,2 or 3!"},
        {"en_US", R"(DateDiff("d";"1/1/2005"))",
            "Invalid number of arguments in the DateDiff Function."},
        {"en_US", R"(DateDiff("x";"abc";"xyz"))",
            "The 2nd argument of the DateDiff function is not a date!"},
        {"en_US", R"(DateDiff("x";"1/1/2005";"xyz"))",
            "The 3rd argument of the DateDiff function is not a date!"},
        {"en_US", R"(DateDiff("x";"1/1/2005";"1/2/2005"))",
            "The 1st argument of the DateDiff function is not a valid interval!"},
        {"en_US", R"(DateDiff("d";"1/1/2005";"1/2/2005";"x"))",
            "The 4th argument of the DateDiff function is invalid!"},
        {"en_US", R"(DateDiff("d";"1/1/2005";"1/2/2005";8))",
            "The 4th argument of the DateDiff function should be between 1 and 7!"},
        {"en_US", R"(DateDiff("d";"1/1/2005";"1/2/2005";1;"x"))",
            "The 5th argument of the DateDiff function is invalid!"},
        {"en_US", R"(DateDiff("d";"1/1/2005";"1/2/2005";1;4))",
            "The 5th argument of the DateDiff function should be either 1,2 or 3!"},
        {"en_US", R"(Age("abc"))", "Age requires a date value."},
        {"en_US", R"(Age(5))", "Age requires a date value."},
        {"de_DE", R"(DatePart("d";"6/15/2005"))",
            "The 2nd argument of the DatePart function is not a date!"},
        {"de_DE", R"(DateAdd("d";"1.5x";"01.01.2005"))",
            "The 2nd argument of the DateAdd function is not numeric!"},
        {"de_DE", R"(DateDiff("d";"01.01.2005";"02.01.2005";7,6))",
            "The 4th argument of the DateDiff function should be between 1 and 7!"},
    };
    for (const RejectionRow &row : rows) {
        Session session(row.locale);
        session.evaluate(row.expression);
        EXPECT_TRUE(session.evaluator.state().ErrorFlag) << row.expression;
        EXPECT_EQ(session.evaluator.state().ErrText, QString::fromUtf8(row.message))
            << row.locale << ' ' << row.expression;
        EXPECT_TRUE(session.dialogs.shown().isEmpty()) << row.expression;
    }
}

TEST(DateFunctionsTest, DateAddShowsItsThirdArgumentMessageAtOnce)
{
    for (const char *locale : {"en_US", "de_DE"}) {
        Session session(locale);
        session.evaluator.state().ErrText = QStringLiteral("earlier");
        session.evaluate(R"(DateAdd("m";1;"abc"))");
        ASSERT_EQ(session.dialogs.shown().size(), 1) << locale;
        const RecordingDialogs::Shown &box = session.dialogs.shown().first();
        EXPECT_EQ(
            box.text, QStringLiteral("The 3rd argument of the DateAdd function is not a date!"));
        EXPECT_EQ(box.caption, Dialogs::programTitle());
        EXPECT_EQ(box.buttons, Dialogs::Buttons::Ok);
        EXPECT_EQ(box.icon, Dialogs::Icon::None);
        EXPECT_TRUE(session.evaluator.state().ErrorFlag);
        EXPECT_EQ(session.evaluator.state().ErrText, QStringLiteral("earlier"));
    }
}

TEST(DateFunctionsTest, ArgumentsBeyondTheLastAreStillEvaluated)
{
    const char *expressions[] = {
        R"(DateAdd("d";1;"1/1/2005";DateAdd("m"\;1\;"abc")))",
        R"(DatePart("d";"6/15/2005";1;1;DateAdd("m"\;1\;"abc")))",
        R"(DateDiff("d";"1/1/2005";"1/2/2005";1;1;DateAdd("m"\;1\;"abc")))",
    };
    for (const char *expression : expressions) {
        Session session("en_US");
        session.evaluate(expression);
        EXPECT_EQ(session.dialogs.texts(),
            QStringList {QStringLiteral("The 3rd argument of the DateAdd function is not a date!")})
            << expression;
    }
}

TEST(DateFunctionsTest, WhatTheCalendarCannotComputeFailsInside)
{
    const struct
    {
        const char *function;
        const char *arguments;
    } rows[] = {
        {"dateadd", R"("yy";1;"1/1/2005")"},
        {"dateadd", R"("|";1;"1/1/2005")"},
        {"dateadd", R"("";1;"1/1/2005")"},
        {"dateadd", R"("yyyy";1;"12/31/9999")"},
        {"dateadd", R"("d";-1;"1/1/100")"},
        {"datepart", R"("yy";"6/15/2005")"},
        {"datepart", R"("w";"6/15/2005";-1)"},
        {"datepart", R"("ww";"6/15/2005";1;-1)"},
        {"datepart", R"("d";"6/15/2005";-0.6)"},
        {"datediff", R"("|";"1/1/2005";"1/2/2005")"},
        {"datediff", R"("d";"1/1/2005";"1/2/2005";-1)"},
        {"datediff", R"("d";"1/1/2005";"1/2/2005";1;-1)"},
    };
    for (const auto &row : rows) {
        Session session("en_US");
        EXPECT_EQ(
            session.errorNumberOf(row.function, row.arguments), OrvantaError::InvalidProcedureCall)
            << row.function << '(' << row.arguments << ')';
        EXPECT_FALSE(session.evaluator.state().ErrorFlag) << row.arguments;
    }
}

TEST(DateFunctionsTest, FailureInsideEndsInTheSyntaxErrorBox)
{
    Session session("en_US");
    session.evaluate(R"(DateDiff("yy";"6/15/2000";"6/14/2005"))");
    ASSERT_EQ(session.dialogs.shown().size(), 1);
    EXPECT_EQ(session.dialogs.shown().first().caption, QStringLiteral("Syntax error"));
    EXPECT_TRUE(session.dialogs.shown().first().text.startsWith(
        QStringLiteral("Error 5: 'Invalid procedure call or argument'")));
    EXPECT_FALSE(session.evaluator.state().ErrorFlag);
}

TEST(DateFunctionsTest, ResultsHaveThePlatformsTypes)
{
    Session session("en_US");
    const struct
    {
        const char *function;
        const char *arguments;
        Value::Kind kind;
        Value::NumberType type;
    } rows[] = {
        {"dateadd", R"("d";1;"1/1/2005")", Value::Kind::Date, Value::NumberType::Double},
        {"datepart", R"("d";"1/1/2005")", Value::Kind::Number, Value::NumberType::Integer},
        {"datediff", R"("d";"1/1/2005";"1/2/2005")", Value::Kind::Number, Value::NumberType::Long},
        {"age", R"("1/1/2005")", Value::Kind::Number, Value::NumberType::Integer},
    };
    for (const auto &row : rows) {
        const Value result = session.call(row.function, row.arguments);
        EXPECT_EQ(result.kind(), row.kind) << row.function;
        EXPECT_EQ(result.numberType(), row.type) << row.function;
    }
}

} // namespace
