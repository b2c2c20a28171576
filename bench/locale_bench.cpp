// The evaluator converts every operand through LocaleRules: reading a number and
// rejecting a non-date must cost tens of nanoseconds at most.
#include "LocaleRules.h"

#include <benchmark/benchmark.h>

namespace {

const LocaleRules &enUS()
{
    static const LocaleRules rules(QLocale(QStringLiteral("en_US")));
    return rules;
}

void readNumber(benchmark::State &state, const char16_t *text)
{
    const QStringView view(text);
    double value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(enUS().toNumber(view, value));
        benchmark::DoNotOptimize(value);
    }
}

void readDate(benchmark::State &state, const char16_t *text)
{
    const QStringView view(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(enUS().isDate(view));
}

void writeNumber(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(enUS().numberToText(12.5));
}

void writeDate(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(enUS().dateToText(38717.4375));
}

} // namespace

BENCHMARK_CAPTURE(readNumber, decimal, u"12.5");
BENCHMARK_CAPTURE(readNumber, integer, u"7");
BENCHMARK_CAPTURE(readNumber, grouped_exponent, u" -1,234.5e3 ");
BENCHMARK_CAPTURE(readNumber, not_numeric, u"Acme Corp");
BENCHMARK_CAPTURE(readDate, name_rejected, u"Acme Corp");
BENCHMARK_CAPTURE(readDate, marker_rejected, u"#ERR");
BENCHMARK_CAPTURE(readDate, number_rejected, u"12.5");
BENCHMARK_CAPTURE(readDate, numeric_date, u"12/31/2005");
BENCHMARK_CAPTURE(readDate, named_date_time, u"Dec 31, 2005 10:30:15 PM");
BENCHMARK(writeNumber);
BENCHMARK(writeDate);

BENCHMARK_MAIN();
