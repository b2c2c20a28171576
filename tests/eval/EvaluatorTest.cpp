#include "EvalHarness.h"
#include "OrvantaError.h"

#include <QThread>

namespace {

// The operator table, strictly left to right with only + - & and not closing a term.
const EvalRow operatorRows[] = {
    {"", "Number 0"},
    {"1 + 2 * 3", "Number 7"},
    {"2 * 3 ^ 2", "Number 36"},
    {"10 \\ 4", "Number 2.5"},
    {"10 / 4", "Number 2.5"},
    {"-5", "Number -5"},
    {"2*-3", "Number -1"},
    {"7 - 2 - 1", "Number 4"},
    {"2 ^ 10", "Number 1024"},
    {"1 / 3", "Number 0.33333333"},
    {"2 / 3", "Number 0.66666667"},
    {"1 + 2 3", "Number 6"},
    {"5 6", "Number 6"},
    {"(2)3", "Number 3"},
    {"1E3", "Number 1000"},
    {"1E-3", "Text 1E-3"},
    {"1 + 2 = 3", "Number 1"},
    {"(1 + 2) = 3", "Number -1"},
    {"1=1", "Number -1"},
    {"5 == 5", "Number -1"},
    {"5 <> 5", "Number 0"},
    {"3 > 2", "Number -1"},
    {"3 < 2", "Number 0"},
    {"3 >= 3", "Number -1"},
    {"3 => 4", "Number 0"},
    {"3 <= 2", "Number 0"},
    {"3 =< 3", "Number -1"},
    {"\"a\" < \"b\"", "Number -1"},
    {"\"B\" < \"a\"", "Number -1"},
    {"\"a\" = \"A\"", "Number 0"},
    {"5 < \"a\"", "Number -1"},
    {"\"\" = \"\"", "Number -1"},
    {"1 and 3", "Number 1"},
    {"1 or 2", "Number 3"},
    {"5 xor 3", "Number 6"},
    {"1 eqv 1", "Number -1"},
    {"0 imp 0", "Number -1"},
    {"not 0", "Number -1"},
    {"1 not 0", "Number 0"},
    {"(1=1) and (2=2)", "Number -1"},
    {"(1=1) or (1=2)", "Number -1"},
    {"6 AND 3", "Number 2"},
    {"1 Or 4", "Number 5"},
    {"5 and", "Number 0"},
    {"5 >< 3", "Text #ERR"},
    {"5 >> 3", "Text #ERR"},
    {"5 << 3", "Text #ERR"},
    {"Anderson", "Text #ERR"},
    {"\"Anderson\"", "Text Anderson"},
    {"foo(2+3)", "Number 5"},
    {"(2+3", "Number 2"},
    {"((1+2)*(3+4))", "Number 21"},
    {"\"123\"", "Number 123"},
    {"\"12.5\"*2+(\"7\"-3)/4", "Number 26"},
};

// Text and number mixed, blanks, and the failures that end in "#ERR".
const EvalRow mixedRows[] = {
    {"\"abc\" + \"def\"", "Text abcdef"},
    {"5 + \"abc\"", "Text 5abc"},
    {"\"abc\" - 1", "Text abc-1"},
    {"1 - \"abc\"", "Text #ERR"},
    {"3 - \"\"", "Number 3"},
    {"\"\" * 5", "Number 0"},
    {"5 * \"\"", "Number 0"},
    {"\"\" / 5", "Number 0"},
    {"5 / \"\"", "Text #ERR"},
    {"* \"\"", "Text #ERR"},
    {"5 / 0", "Text #ERR"},
    {"0 / 0", "Text #ERR"},
    {"\"abc\" * 2", "Text #ERR"},
    {"2 ^ \"x\"", "Text #ERR"},
    {"(0-8) ^ 0.5", "Text #ERR"},
    {"1E300 * 1E300", "Text #ERR"},
    {"1E308 + 1E308", "Number 1E+308"},
    {"1E308 + 1E308 + 1", "Number 1E+308"},
    {"not \"abc\"", "Text #ERR"},
    {"\"x\" and 1", "Text #ERR"},
    {"3000000000 and 1", "Text #ERR"},
    {"\"abc\" + 1 + 2", "Text abc12"},
    {"1 + 2 + \"abc\"", "Text 3abc"},
    {"\"a\" = 1", "Number 0"},
    {"\"say \"\"hi\"\"\"", "Text say \"hi\""},
    {"\"\"\"\"", "Text \""},
    {"\"abc", "Text abc"},
    {"x\"abc\"", "Text abc"},
    {"\"\"", "Text "},
    {"12 & 3", "Text 123"},
    {"\"a\" & 1 + 2", "Text a12"},
    {"\"\" & \"\"", "Text "},
    {"1.5 & \"x\"", "Text 1.5x"},
    {"1 = 1 & \"\"", "Text True"},
    {"1 + (2 & 3)", "Text 123"},
    {"\"12/31/2005\"", "Date 12/31/2005"},
    {"\"12/31/2005\" - 1", "Date 12/30/2005"},
    {"\"12/31/2005\" + 1", "Date 1/1/2006"},
    {"\"12/31/2005\" & \"\"", "Text 12/31/2005"},
};

const EvalRow germanRows[] = {
    {"12,5 * 2", "Number 25"},
    {"\"12,5\"*2+(\"7\"-3)/4", "Number 26"},
    {"1 / 4", "Number 0,25"},
    {"1 / 3", "Number 0,33333333"},
    {"1,5 & \"x\"", "Text 1,5x"},
    {"Date() - 1", "Date 13.03.2026"},
    {"\"abc\" - 1,5", "Text abc-1,5"},
};

const EvalRow frenchRows[] = {
    {"\"12,5\"*2", "Number 25"},
    {"1 / 4", "Number 0,25"},
    {"2 / 3", "Number 0,66666667"},
    {"\"31/12/2005\" - 1", "Date 30/12/2005"},
    {"1 = 1 & \"\"", "Text True"},
};

class EvaluatorRows : public testing::TestWithParam<std::tuple<std::string, EvalRow>>
{
};

TEST_P(EvaluatorRows, GivesTheResultOfTheTable)
{
    const auto &[locale, row] = GetParam();
    EvalHarness h(locale.c_str());
    EXPECT_EQ(h.evaluate(QString::fromUtf8(row.expression)), QString::fromUtf8(row.expected))
        << row.expression;
    EXPECT_TRUE(h.dialogs.shown().isEmpty()) << row.expression;
    EXPECT_FALSE(h.ev.state().ErrorFlag) << row.expression;
}

INSTANTIATE_TEST_SUITE_P(Operators, EvaluatorRows,
    testing::Combine(testing::Values(std::string("en_US")), testing::ValuesIn(operatorRows)));
INSTANTIATE_TEST_SUITE_P(Mixed, EvaluatorRows,
    testing::Combine(testing::Values(std::string("en_US")), testing::ValuesIn(mixedRows)));
INSTANTIATE_TEST_SUITE_P(German, EvaluatorRows,
    testing::Combine(testing::Values(std::string("de_DE")), testing::ValuesIn(germanRows)));
INSTANTIATE_TEST_SUITE_P(French, EvaluatorRows,
    testing::Combine(testing::Values(std::string("fr_FR")), testing::ValuesIn(frenchRows)));

TEST(Evaluator, StepLimitEndsInErrorMarker)
{
    EvalHarness h("en_US");
    // One operand step and 998 spaces is 999 steps; one more space makes 1000.
    EXPECT_EQ(h.evaluate(u'1' + QString(998, u' ')), QStringLiteral("Number 1"));
    EXPECT_EQ(h.evaluate(u'1' + QString(999, u' ')), QStringLiteral("Text #ERR"));
}

TEST(Evaluator, DateMinusDateKeepsTheDateKind)
{
    EvalHarness h("en_US");
    const Value v = h.ev.evaluate(u"\"12/31/2005\" - \"12/1/2005\"");
    EXPECT_EQ(v.kind(), Value::Kind::Date);
    EXPECT_DOUBLE_EQ(v.number(), 30.0);
}

TEST(Evaluator, TruthFlagRaisedByComparisonsAndLoweredByEvaluate)
{
    EvalHarness h("en_US");
    h.ev.evaluate(u"1 + 2");
    EXPECT_FALSE(h.ev.state().TruthFlag);
    h.ev.evaluate(u"(1 + 2) = 3");
    EXPECT_TRUE(h.ev.state().TruthFlag);
    h.ev.evaluate(u"1 + 2");
    EXPECT_FALSE(h.ev.state().TruthFlag);
    h.ev.evaluate(u"6 and 3");
    EXPECT_TRUE(h.ev.state().TruthFlag);
    h.ev.Eval(u"7");
    EXPECT_TRUE(h.ev.state().TruthFlag) << "only evaluate() lowers the flag";
}

TEST(Evaluator, InIfConditionShieldsOnlyTheFirstOperandStep)
{
    EvalHarness h("en_US");
    h.ev.state().InIfCondition = true;
    EXPECT_EQ(h.describe(h.ev.Eval(u"not 0")), QStringLiteral("Number -1"));
    EXPECT_FALSE(h.ev.state().TruthFlag);
    EXPECT_FALSE(h.ev.state().InIfCondition);

    h.ev.state().InIfCondition = true;
    h.ev.Eval(u"1 = 1");
    EXPECT_TRUE(h.ev.state().TruthFlag) << "the first operand step cleared the marker";
}

TEST(Evaluator, ConcatModeKeepsOperandsAsTextUntilLowered)
{
    EvalHarness h("en_US");
    h.ev.evaluate(u"1 & 2");
    EXPECT_TRUE(h.ev.state().ConcatMode);
    EXPECT_EQ(h.describe(h.ev.Eval(u"1.50")), QStringLiteral("Text 1.50"));
    EXPECT_EQ(h.describe(h.ev.Eval(u"")), QStringLiteral("Text "));
    EXPECT_EQ(h.describe(h.ev.Eval(u"2 + 3")), QStringLiteral("Text 23"));
    EXPECT_EQ(h.evaluate(QStringLiteral("1.50")), QStringLiteral("Number 1.5"));
    EXPECT_FALSE(h.ev.state().ConcatMode);
}

TEST(Evaluator, FormatModeLeavesNumericTextAndSkipsRounding)
{
    EvalHarness h("en_US");
    h.ev.state().FormatMode = true;
    EXPECT_EQ(h.describe(h.ev.Eval(u"1 + 2")), QStringLiteral("Text 12"));
    const Value third = h.ev.Eval(u"1 / 3");
    EXPECT_EQ(third.kind(), Value::Kind::Number);
    EXPECT_EQ(third.number(), 1.0 / 3.0) << "not rounded to 8 decimals";
    EXPECT_EQ(h.describe(h.ev.Eval(u"\"12/31/2005\"")), QStringLiteral("Date 12/31/2005"));
    EXPECT_EQ(h.evaluate(QStringLiteral("1 + 2")), QStringLiteral("Number 3"));
    EXPECT_FALSE(h.ev.state().FormatMode);
}

TEST(Evaluator, ErrorFlagStopsAfterTheCurrentStep)
{
    EvalHarness h("en_US");
    h.ev.state().ErrorFlag = true;
    EXPECT_EQ(h.describe(h.ev.evaluate(u"1 + 2 + 3")), QStringLiteral("Empty "));
    h.ev.state().ErrorFlag = false;
    // A function that rejects its arguments leaves the closed sum as the result.
    EXPECT_EQ(h.describe(h.ev.evaluate(u"4 + Left(1) + 5")), QStringLiteral("Number 4"));
    EXPECT_TRUE(h.ev.state().ErrorFlag);
    EXPECT_EQ(
        h.ev.state().ErrText, QStringLiteral("Invalid number of arguments in the Left Function."));
    EXPECT_TRUE(h.dialogs.shown().isEmpty());
}

TEST(Evaluator, FailureInsideTokenShowsTheSyntaxErrorBox)
{
    EvalHarness h("en_US");
    EXPECT_EQ(h.evaluate(QStringLiteral("1 + Sqr(-4)")), QStringLiteral("Text 1Sqr"));
    ASSERT_EQ(h.dialogs.shown().size(), 1);
    const RecordingDialogs::Shown &box = h.dialogs.shown().front();
    EXPECT_EQ(box.caption, QStringLiteral("Syntax error"));
    EXPECT_EQ(box.buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(box.text, EvalHarness::syntaxError(5, "Invalid procedure call or argument", 3));
}

TEST(Evaluator, OpeningParenthesisAtTheEndIsAnInvalidGroup)
{
    EvalHarness h("en_US");
    EXPECT_EQ(h.evaluate(QStringLiteral("2*(")), QStringLiteral("Number 0"));
    EXPECT_EQ(h.dialogs.texts(),
        QStringList {EvalHarness::syntaxError(5, "Invalid procedure call or argument", 2)});
    EXPECT_EQ(h.evaluate(QStringLiteral("abs(")), QStringLiteral("Text abs"));
    EXPECT_EQ(h.dialogs.shown().size(), 1);
}

TEST(Evaluator, ExpressionLongerThan32767CharactersOverflows)
{
    EvalHarness h("en_US");
    EXPECT_NO_THROW(h.evaluate(QString(32767, u'1')));
    try {
        h.ev.evaluate(QString(32768, u'1'));
        FAIL() << "no overflow";
    } catch (const OrvantaError &error) {
        EXPECT_EQ(error.number(), OrvantaError::Overflow);
    }
}

// Deep nesting must end in "Out of stack space" even on a 1 MB stack.
void runOnSmallStack(const std::function<void()> &work)
{
    std::unique_ptr<QThread> thread(QThread::create(work));
    thread->setStackSize(1024 * 1024);
    thread->start();
    thread->wait();
}

TEST(Evaluator, DeepParenthesesRunOutOfStackSpaceOnce)
{
    EvalHarness h("en_US");
    QString result;
    runOnSmallStack([&] { result = h.evaluate(QString(30000, u'(')); });
    EXPECT_EQ(result, QStringLiteral("Number 0"));
    EXPECT_EQ(
        h.dialogs.texts(), QStringList {EvalHarness::syntaxError(28, "Out of stack space", 3)});
}

TEST(Evaluator, HundredThousandParenthesesAreTooLongToRead)
{
    EvalHarness h("en_US");
    int number = 0;
    runOnSmallStack([&] {
        try {
            h.evaluate(QString(100000, u'('));
        } catch (const OrvantaError &error) {
            number = error.number();
        }
    });
    EXPECT_EQ(number, OrvantaError::Overflow);
    EXPECT_TRUE(h.dialogs.shown().isEmpty());
}

TEST(Evaluator, DeepFunctionCallsRunOutOfStackSpaceOnce)
{
    EvalHarness h("en_US");
    QString result;
    const QString nested = QStringLiteral("len(").repeated(1000) + u'1' + QString(1000, u')');
    runOnSmallStack([&] { result = h.evaluate(nested); });
    // The innermost call that failed reads as its name, len, whose length is 3.
    EXPECT_EQ(result, QStringLiteral("Number 1"));
    EXPECT_EQ(
        h.dialogs.texts(), QStringList {EvalHarness::syntaxError(28, "Out of stack space", 3)});
}

TEST(Evaluator, DeepListFunctionCallsEndInTheSyntaxErrorBox)
{
    EvalHarness h("en_US");
    const QString nested = QStringLiteral("max(").repeated(1000) + u'1' + QString(1000, u')');
    QString result;
    runOnSmallStack([&] { result = h.evaluate(nested); });
    EXPECT_FALSE(h.dialogs.shown().isEmpty());
    EXPECT_EQ(
        h.dialogs.shown().front().text, EvalHarness::syntaxError(28, "Out of stack space", 3));
}

TEST(Evaluator, DeepNestingWithinTheLimitWorks)
{
    EvalHarness h("en_US");
    const int depth = Evaluator::MaxDepth - 1;
    QString result;
    runOnSmallStack([&] {
        result = h.evaluate(QString(depth, u'(') + QStringLiteral("1+1") + QString(depth, u')'));
    });
    EXPECT_EQ(result, QStringLiteral("Number 2"));
    EXPECT_TRUE(h.dialogs.shown().isEmpty());
}

TEST(Evaluator, EvalToTextWritesLocaleForms)
{
    EvalHarness us("en_US");
    EXPECT_EQ(us.ev.evalToText(u"1 / 4"), QStringLiteral("0.25"));
    EXPECT_EQ(us.ev.evalToText(u"\"12/31/2005\""), QStringLiteral("12/31/2005"));
    EvalHarness de("de_DE");
    EXPECT_EQ(de.ev.evalToText(u"1 / 4"), QStringLiteral("0,25"));
    EXPECT_EQ(de.ev.evalToText(u"\"2005-12-31\""), QStringLiteral("31.12.2005"));
}

TEST(Evaluator, TargetFieldTextIsEmptyWithoutReader)
{
    EvalHarness h("en_US");
    EXPECT_EQ(h.ev.targetFieldText(), QString());
    h.ev.setTargetFieldReader([] { return QStringLiteral("Acme"); });
    EXPECT_EQ(h.ev.targetFieldText(), QStringLiteral("Acme"));
}

TEST(Evaluator, FailSetsErrTextAndErrorFlag)
{
    EvalHarness h("en_US");
    h.ev.fail(QStringLiteral("Age requires a date value."));
    EXPECT_TRUE(h.ev.state().ErrorFlag);
    EXPECT_EQ(h.ev.state().ErrText, QStringLiteral("Age requires a date value."));
}

} // namespace
