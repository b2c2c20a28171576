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

TEST(Evaluator, TruthFlagRaisedByComparisonsUnlessInAnIfCondition)
{
    EvalHarness h("en_US");
    h.ev.evaluate(u"(1 + 2) = 3");
    EXPECT_TRUE(h.ev.state().TruthFlag);
    h.ev.evaluate(u"1 + 2");
    EXPECT_FALSE(h.ev.state().TruthFlag);
    h.ev.evaluate(u"6 and 3");
    EXPECT_TRUE(h.ev.state().TruthFlag);
    h.ev.Eval(u"7");
    EXPECT_TRUE(h.ev.state().TruthFlag) << "only evaluate() lowers the flag";

    h.ev.state().lowerModes();
    h.ev.state().InIfCondition = true;
    EXPECT_EQ(h.describe(h.ev.Eval(u"not 0")), QStringLiteral("Number -1"));
    EXPECT_FALSE(h.ev.state().TruthFlag);
    EXPECT_FALSE(h.ev.state().InIfCondition) << "the first operand step clears the marker";
}

TEST(Evaluator, ConcatAndFormatModeLastUntilTheNextEvaluate)
{
    EvalHarness h("en_US");
    h.ev.evaluate(u"1 & 2");
    EXPECT_TRUE(h.ev.state().ConcatMode);
    EXPECT_EQ(h.describe(h.ev.Eval(u"1.50")), QStringLiteral("Text 1.50"));
    EXPECT_EQ(h.describe(h.ev.Eval(u"2 + 3")), QStringLiteral("Text 23"));
    EXPECT_EQ(h.evaluate(QStringLiteral("1.50")), QStringLiteral("Number 1.5"));
    EXPECT_FALSE(h.ev.state().ConcatMode);

    h.ev.state().FormatMode = true;
    EXPECT_EQ(h.describe(h.ev.Eval(u"1 + 2")), QStringLiteral("Text 12"));
    EXPECT_EQ(h.ev.Eval(u"1 / 3").number(), 1.0 / 3.0) << "not rounded to 8 decimals";
    EXPECT_EQ(h.describe(h.ev.Eval(u"\"12/31/2005\"")), QStringLiteral("Date 12/31/2005"));
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
    // A function that rejects its arguments leaves the closed sum as the result.
    EXPECT_EQ(h.evaluate(QStringLiteral("4 + Left(1) + 5")), QStringLiteral("Number 4"));
    EXPECT_TRUE(h.ev.state().ErrorFlag);
}

TEST(Evaluator, FailureInsideTokenShowsTheSyntaxErrorBox)
{
    EvalHarness h("en_US");
    EXPECT_EQ(h.evaluate(QStringLiteral("1 + Sqr(-4)")), QStringLiteral("Text 1Sqr"));
    ASSERT_EQ(h.dialogs.shown().size(), 1);
    EXPECT_EQ(h.dialogs.texts(),
        QStringList {EvalHarness::syntaxError(5, "Invalid procedure call or argument", 3)});
    // An opening parenthesis at the end is an invalid group.
    EXPECT_EQ(h.evaluate(QStringLiteral("2*(")), QStringLiteral("Number 0"));
    EXPECT_EQ(h.dialogs.texts(),
        QStringList {EvalHarness::syntaxError(5, "Invalid procedure call or argument", 2)});
    EXPECT_EQ(h.evaluate(QStringLiteral("abs(")), QStringLiteral("Text abs"));
    EXPECT_EQ(h.dialogs.shown().size(), 1);
}

// Deep nesting must end in "Out of stack space" even on a 1 MB stack; an expression
// longer than 32767 characters overflows.
TEST(Evaluator, LongAndDeepExpressions)
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
        {QString(32767, u'('), "Number 0", {outOfStack}},
        {QString(32768, u'('), "", {}},
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
        std::unique_ptr<QThread> thread(QThread::create([&] {
            try {
                result = h.evaluate(row.expression);
            } catch (const OrvantaError &error) {
                number = error.number();
            }
        }));
        thread->setStackSize(1024 * 1024);
        thread->start();
        thread->wait();
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(number, row.result.isEmpty() ? OrvantaError::Overflow : 0);
        EXPECT_EQ(h.dialogs.texts(), row.boxes);
    }
}

TEST(Evaluator, NowAndTimeAreTheClockAsDatesAndAYearlessDateReadsItOnce)
{
    EvalHarness h("en_US");
    double day = 0.0;
    ASSERT_TRUE(DateSerial::fromDate(2026, 3, 14, day));
    const double time = DateSerial::fromTime(15, 9, 26);
    EXPECT_EQ(h.evaluate(QStringLiteral("Now()")), QStringLiteral("Date 3/14/2026 3:09:26 PM"));
    EXPECT_DOUBLE_EQ(h.ev.evaluate(u"Now()").number(), VariantMath::roundHalfEven(day + time, 8));
    EXPECT_EQ(h.evaluate(QStringLiteral("Time()")), QStringLiteral("Date 3:09:26 PM"));
    EXPECT_DOUBLE_EQ(h.ev.evaluate(u"Time()").number(), VariantMath::roundHalfEven(time, 8));

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

TEST(Evaluator, FunctionResultsHaveThePlatformsNumberTypesAndCountsAre16Bit)
{
    EvalHarness h("en_US");
    const auto call = [&](QStringView name, QStringView arguments) {
        return FunctionTable::find(name)->list(h.ev, arguments);
    };
    EXPECT_EQ(call(u"datepart", u"\"d\";\"1/1/2005\"").numberType(), Value::NumberType::Integer);
    EXPECT_EQ(call(u"datediff", u"\"d\";\"1/1/2005\";\"1/2/2005\"").numberType(),
        Value::NumberType::Long);
    EXPECT_EQ(FunctionTable::find(u"age")->single(h.ev, Value::text(u"1/1/2005"_s)).numberType(),
        Value::NumberType::Integer);
    // Called directly: so many values do not fit in an expression.
    QStringList values(32767, QStringLiteral("1"));
    EXPECT_EQ(h.describe(call(u"count", values.join(u';'))), QStringLiteral("Text 32767"));
    values.append(QStringLiteral("1"));
    try {
        call(u"countc", values.join(u';'));
        ADD_FAILURE() << "32768 values counted";
    } catch (const OrvantaError &e) {
        EXPECT_EQ(e.number(), OrvantaError::Overflow);
    }
}

} // namespace
