#include "DateSerial.h"
#include "EvalHarness.h"
#include "FunctionTable.h"
#include "OrvantaError.h"
#include "VariantMath.h"

#include <QThread>

// What the rows of cases/ cannot show: the evaluation state between calls, limits,
// the clock and the target field.
using namespace Qt::StringLiterals;

namespace {

TEST(Evaluator, StepLimitEndsInErrorMarker)
{
    EvalHarness h("en_US");
    // One operand step and 998 spaces is 999 steps; one more space makes 1000.
    EXPECT_EQ(h.evaluate(u'1' + QString(998, u' ')), QStringLiteral("Number 1"));
    EXPECT_EQ(h.evaluate(u'1' + QString(999, u' ')), QStringLiteral("Text #ERR"));
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
    h.evaluate(QStringLiteral("Round(1;1)"));
    EXPECT_FALSE(h.ev.state().FormatMode);
    EXPECT_EQ(h.evaluate(QStringLiteral("Format(12;0.00)")), QStringLiteral("Text 12.00"));
    EXPECT_TRUE(h.ev.state().FormatMode) << "Format raises it";
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

TEST(Evaluator, DeepNestingRunsOutOfStackSpaceOnce)
{
    const QString outOfStack = EvalHarness::syntaxError(28, "Out of stack space", 3);
    const int depth = Evaluator::MaxDepth - 1;
    struct Row
    {
        QString expression;
        QString result; // empty: Overflow is thrown
        QStringList boxes;
    };
    const Row rows[] = {
        {QString(30000, u'('), "Number 0", {outOfStack}},
        {QString(100000, u'('), "", {}}, // too long to read
        // The innermost call that failed reads as its name, len, whose length is 3.
        {u"len("_s.repeated(1000) + u'1' + QString(1000, u')'), "Number 1", {outOfStack}},
        {u"max("_s.repeated(1000) + u'1' + QString(1000, u')'), "Number -98347874.234234",
            {outOfStack}},
        {QString(depth, u'(') + "1+1"_L1 + QString(depth, u')'), "Number 2", {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.expression.left(8).toStdString() + " " + row.result.toStdString());
        EvalHarness h("en_US");
        QString result;
        int number = 0;
        runOnSmallStack([&] {
            try {
                result = h.evaluate(row.expression);
            } catch (const OrvantaError &error) {
                number = error.number();
            }
        });
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(number, row.result.isEmpty() ? OrvantaError::Overflow : 0);
        EXPECT_EQ(h.dialogs.texts(), row.boxes);
    }
}

TEST(Evaluator, NowAndTimeAreTheClockAsDates)
{
    EvalHarness h("en_US");
    double day = 0.0;
    ASSERT_TRUE(DateSerial::fromDate(2026, 3, 14, day));
    const double time = DateSerial::fromTime(15, 9, 26);
    const Value now = h.ev.evaluate(u"Now()");
    EXPECT_EQ(now.kind(), Value::Kind::Date);
    EXPECT_DOUBLE_EQ(now.number(), VariantMath::roundHalfEven(day + time, 8));
    const Value clockTime = h.ev.evaluate(u"Time()");
    EXPECT_EQ(clockTime.kind(), Value::Kind::Date);
    EXPECT_DOUBLE_EQ(clockTime.number(), VariantMath::roundHalfEven(time, 8));
}

TEST(Evaluator, DatesWithoutAYearReadTheClockOncePerEvaluation)
{
    EvalHarness h("en_US");
    int reads = 0;
    h.ev.setClock([&reads] {
        ++reads;
        return QDateTime(QDate(2026, 3, 14), QTime(12, 0));
    });
    h.evaluate(QStringLiteral("DateDiff(\"d\";\"1/1/2005\";\"3/1/2005\")"));
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(
        h.evaluate(QStringLiteral("DateDiff(\"d\";\"1/1\";\"3/1\")")), QStringLiteral("Number 59"));
    EXPECT_EQ(reads, 1);
}

TEST(Evaluator, IfReadsTheTargetFieldOnceAndOnlyForAMissingBranch)
{
    EvalHarness h("en_US");
    int reads = 0;
    QString target = QStringLiteral("hello world");
    h.ev.setTargetFieldReader([&] {
        ++reads;
        return target;
    });
    EXPECT_EQ(h.evaluate(QStringLiteral("If(1=1;2;3)")), QStringLiteral("Number 2"));
    EXPECT_EQ(reads, 0);
    // Evaluated like anything the user wrote: only the last word survives.
    EXPECT_EQ(h.evaluate(QStringLiteral("If(1=2;;)")), QStringLiteral("Text world"));
    EXPECT_EQ(reads, 1);
    target.clear();
    EXPECT_EQ(h.evaluate(QStringLiteral("If(1=2;5;)")), QStringLiteral("Text "));
    EXPECT_EQ(h.evaluate(QStringLiteral("If(1=1;;5)")), QStringLiteral("Number 0"));
}

TEST(Evaluator, CountsAreSixteenBitIntegers)
{
    EvalHarness h("en_US");
    // Called directly: so many values do not fit in an expression.
    QStringList values(32767, QStringLiteral("1"));
    EXPECT_EQ(h.describe(FunctionTable::find(u"count")->list(h.ev, values.join(u';'))),
        QStringLiteral("Text 32767"));
    values.append(QStringLiteral("1"));
    try {
        FunctionTable::find(u"countc")->list(h.ev, values.join(u';'));
        ADD_FAILURE() << "32768 values counted";
    } catch (const OrvantaError &e) {
        EXPECT_EQ(e.number(), OrvantaError::Overflow);
    }
}

TEST(Evaluator, FunctionResultsHaveThePlatformsNumberTypes)
{
    EvalHarness h("en_US");
    const Value part = FunctionTable::find(u"datepart")->list(h.ev, u"\"d\";\"1/1/2005\"");
    EXPECT_EQ(part.numberType(), Value::NumberType::Integer);
    const Value diff
        = FunctionTable::find(u"datediff")->list(h.ev, u"\"d\";\"1/1/2005\";\"1/2/2005\"");
    EXPECT_EQ(diff.numberType(), Value::NumberType::Long);
    const Value age = FunctionTable::find(u"age")->single(h.ev, Value::text(u"1/1/2005"_s));
    EXPECT_EQ(age.numberType(), Value::NumberType::Integer);
}

} // namespace
