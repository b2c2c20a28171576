// Evaluations per second of typical statements, each parsed afresh as a run does.
// Targets: 1,000,000 a second for the arithmetic, 300,000 for Format, DateDiff and Pmt.
// bench/eval_bench.sh runs it with TZ unset and with a configured time zone and locale.
#include "Evaluator.h"
#include "RecordingDialogs.h"

#include <benchmark/benchmark.h>

namespace {

void evaluateRepeatedly(benchmark::State &state, const char *expression)
{
    RecordingDialogs dialogs;
    Evaluator ev(QLocale(QLocale::English, QLocale::UnitedStates), dialogs);
    const QString text = QString::fromUtf8(expression);
    for (auto _ : state)
        benchmark::DoNotOptimize(ev.evaluate(text));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(evaluateRepeatedly, Arithmetic, R"("12.5"*2+("7"-3)/4)");
BENCHMARK_CAPTURE(evaluateRepeatedly, IfLeft, R"(If("150">100;Left("Acme_Corp"\;4);"none"))");
BENCHMARK_CAPTURE(evaluateRepeatedly, Format, R"(Format(1234567.891;"#,##0.00"))");
BENCHMARK_CAPTURE(evaluateRepeatedly, DateDiff, R"(DateDiff("d";"1/1/2005";"3/1/2005"))");
BENCHMARK_CAPTURE(evaluateRepeatedly, Pmt, "Pmt(0.005;360;200000)");
BENCHMARK_CAPTURE(evaluateRepeatedly, Rate, "Rate(360;-1199.10;200000)");

} // namespace

BENCHMARK_MAIN();
