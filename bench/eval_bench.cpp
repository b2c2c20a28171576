// Evaluations per second of typical statements, each parsed afresh as a run does.
// Targets: 1,000,000 a second for the arithmetic, 300,000 for Format, DateDiff and Pmt.
#include "Evaluator.h"
#include "RecordingDialogs.h"

#include <benchmark/benchmark.h>

namespace {

void evaluateRepeatedly(benchmark::State &state, const QString &expression)
{
    RecordingDialogs dialogs;
    Evaluator ev(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    for (auto _ : state)
        benchmark::DoNotOptimize(ev.evaluate(expression));
    state.SetItemsProcessed(state.iterations());
}

void BM_Arithmetic(benchmark::State &state)
{
    evaluateRepeatedly(state, QStringLiteral("\"12.5\"*2+(\"7\"-3)/4"));
}
BENCHMARK(BM_Arithmetic);

void BM_IfLeft(benchmark::State &state)
{
    evaluateRepeatedly(state, QStringLiteral("If(\"150\">100;Left(\"Acme_Corp\"\\;4);\"none\")"));
}
BENCHMARK(BM_IfLeft);

void BM_Format(benchmark::State &state)
{
    evaluateRepeatedly(state, QStringLiteral("Format(1234567.891;\"#,##0.00\")"));
}
BENCHMARK(BM_Format);

void BM_DateDiff(benchmark::State &state)
{
    evaluateRepeatedly(state, QStringLiteral("DateDiff(\"d\";\"1/1/2005\";\"3/1/2005\")"));
}
BENCHMARK(BM_DateDiff);

void BM_Pmt(benchmark::State &state)
{
    evaluateRepeatedly(state, QStringLiteral("Pmt(0.005;360;200000)"));
}
BENCHMARK(BM_Pmt);

void BM_Rate(benchmark::State &state)
{
    evaluateRepeatedly(state, QStringLiteral("Rate(360;-1199.10;200000)"));
}
BENCHMARK(BM_Rate);

} // namespace

BENCHMARK_MAIN();
