#include "Evaluator.h"
#include "RecordingDialogs.h"

#include <benchmark/benchmark.h>

// A mortgage payment through the whole evaluator: Token, dispatch, argument evaluation,
// the annuity and the five-decimal format. Target: at least 300,000 evaluations a second.
static void PmtThroughEvaluator(benchmark::State &state)
{
    RecordingDialogs dialogs;
    Evaluator ev(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    const QString expression = QStringLiteral("Pmt(0.005;360;200000)");
    for (auto _ : state)
        benchmark::DoNotOptimize(ev.evaluate(expression));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PmtThroughEvaluator);

// Rate iterates on the annuity; its guess and default arguments are filled in.
static void RateThroughEvaluator(benchmark::State &state)
{
    RecordingDialogs dialogs;
    Evaluator ev(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    const QString expression = QStringLiteral("Rate(360;-1199.10;200000)");
    for (auto _ : state)
        benchmark::DoNotOptimize(ev.evaluate(expression));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RateThroughEvaluator);

BENCHMARK_MAIN();
