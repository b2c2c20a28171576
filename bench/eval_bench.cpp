// Evaluations per second of typical statements, each parsed afresh as a run does.
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

} // namespace

BENCHMARK_MAIN();
