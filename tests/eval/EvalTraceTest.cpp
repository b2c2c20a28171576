#include "EvalTrace.h"
#include "EvalHarness.h"

namespace {

// Each step as depth, text, "=" and value, or "!" and the error of a failed step.
QStringList describe(const QList<EvalStep> &steps)
{
    QStringList out;
    for (const EvalStep &step : steps)
        out << QString::number(step.depth) + QLatin1Char(' ') + step.text
                + (step.failed ? QStringLiteral(" ! ") + step.error
                               : QStringLiteral(" = ") + step.value);
    return out;
}

TEST(EvalTrace, ListsGroupsAndCallsInnermostFirst)
{
    const struct
    {
        const char *expression;
        QStringList steps;
    } rows[] = {
        {"1+2", {}},
        {"(1+(2*3))*2", {"2 (2*3) = 6", "1 (1+(2*3)) = 7"}},
        {"UCase(Left(\"abc\";2))&\"!\"",
            {"2 Left(\"abc\";2) = ab", "1 UCase(Left(\"abc\";2)) = AB"}},
        {"Len(If(1))",
            {"2 If(1) ! The if function requires at least 2 arguments.", "1 Len(If(1)) = 0"}},
        {"Len(\"ab\")+If(1)",
            {"1 Len(\"ab\") = 2", "1 If(1) ! The if function requires at least 2 arguments."}},
        {"Left(\"abc\";-1)", {"1 Left(\"abc\";-1) ! Invalid procedure call or argument"}},
        // If cuts its arguments at every ";" and reads the others after the error.
        {"If(Len(Left(\"ab\";1))>0;UCase(\"a\");2)",
            {"3 Left(\"a) ! Invalid number of arguments in the Left Function.",
                "2 Len(Left(\"ab) = 0",
                "2 UCase(\"a\") = ", "1 If(Len(Left(\"ab\";1))>0;UCase(\"a\");2) = "}},
    };
    for (const auto &row : rows) {
        EvalHarness h("en_US");
        EvalTrace trace(h.ev);
        h.ev.evaluate(QString::fromUtf8(row.expression));
        EXPECT_EQ(describe(trace.steps()), row.steps) << row.expression;
    }
}

} // namespace
