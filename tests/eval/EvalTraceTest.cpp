#include "EvalTrace.h"
#include "Evaluator.h"
#include "RecordingDialogs.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct TraceRow
{
    const char *expression;
    // Each step as depth, text, "=" and value, or "!" and the error of a failed step.
    std::vector<const char *> steps;
};

void PrintTo(const TraceRow &row, std::ostream *os)
{
    *os << row.expression;
}

QStringList describe(const QList<EvalStep> &steps)
{
    QStringList out;
    for (const EvalStep &step : steps)
        out << QString::number(step.depth) + QLatin1Char(' ') + step.text
                + (step.failed ? QStringLiteral(" ! ") + step.error
                               : QStringLiteral(" = ") + step.value);
    return out;
}

class EvalTraceSteps : public ::testing::TestWithParam<TraceRow>
{
};

TEST_P(EvalTraceSteps, ListsGroupsAndCallsInnermostFirst)
{
    RecordingDialogs dialogs;
    Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    EvalTrace trace(evaluator);
    evaluator.evaluate(QString::fromUtf8(GetParam().expression));
    QStringList expected;
    for (const char *step : GetParam().steps)
        expected << QString::fromUtf8(step);
    EXPECT_EQ(describe(trace.steps()).join(QLatin1Char('\n')).toStdString(),
        expected.join(QLatin1Char('\n')).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Expressions, EvalTraceSteps,
    ::testing::Values(TraceRow {"1+2", {}},
        TraceRow {"(1+(2*3))*2", {"2 (2*3) = 6", "1 (1+(2*3)) = 7"}},
        TraceRow {"UCase(Left(\"abc\";2))&\"!\"",
            {"2 Left(\"abc\";2) = ab", "1 UCase(Left(\"abc\";2)) = AB"}},
        TraceRow {"Len(If(1))",
            {"2 If(1) ! The if function requires at least 2 arguments.", "1 Len(If(1)) = 0"}},
        TraceRow {"Len(\"ab\")+If(1)",
            {"1 Len(\"ab\") = 2", "1 If(1) ! The if function requires at least 2 arguments."}},
        TraceRow {"Left(\"abc\";-1)", {"1 Left(\"abc\";-1) ! Invalid procedure call or argument"}},
        // If cuts its arguments at every ";" and reads the others after the error.
        TraceRow {"If(Len(Left(\"ab\";1))>0;UCase(\"a\");2)",
            {"3 Left(\"a) ! Invalid number of arguments in the Left Function.",
                "2 Len(Left(\"ab) = 0",
                "2 UCase(\"a\") = ", "1 If(Len(Left(\"ab\";1))>0;UCase(\"a\");2) = "}}));

TEST(EvalTrace, EndsListeningWhenItEnds)
{
    RecordingDialogs dialogs;
    Evaluator evaluator(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    auto trace = std::make_unique<EvalTrace>(evaluator);
    evaluator.evaluate(QStringLiteral("(1)"));
    trace.reset();
    EvalTrace second(evaluator);
    evaluator.evaluate(QStringLiteral("(2)"));
    ASSERT_EQ(second.steps().size(), 1);
    EXPECT_EQ(second.steps().first().value, QStringLiteral("2"));
}

} // namespace
