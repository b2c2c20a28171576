#include "FinancialFunctions.h"

#include "Annuity.h"
#include "Evaluator.h"
#include "FormatPattern.h"
#include "FunctionArguments.h"
#include "OrvantaError.h"
#include "SplitArgs.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

// The most arguments any of the six uses: rate's nper; pmt; pv; fv; type; guess.
constexpr int MostArguments = 6;
using Arguments = std::array<double, MostArguments>;
constexpr int GuessIndex = 5;
// Five decimals, half away from zero, the locale's separator.
const QString ResultPattern = QStringLiteral("0.00000");

// One of the six: its name as dispatched, the highest index its required arguments reach,
// the highest index its full list reaches, and what it solves for.
struct FinancialFunction
{
    QLatin1StringView name;
    int requiredIndex;
    int fullIndex;
    double (*compute)(const Arguments &);
};

double computeFv(const Arguments &a)
{
    return Annuity {.rate = a[0], .nper = a[1], .pmt = a[2], .pv = a[3], .type = a[4]}.solveFv();
}

double computeIpmt(const Arguments &a)
{
    return Annuity {.rate = a[0], .nper = a[2], .pv = a[3], .fv = a[4], .type = a[5]}
        .interestPayment(a[1]);
}

double computeNper(const Arguments &a)
{
    return Annuity {.rate = a[0], .pmt = a[1], .pv = a[2], .fv = a[3], .type = a[4]}.solveNper();
}

double computePmt(const Arguments &a)
{
    return Annuity {.rate = a[0], .nper = a[1], .pv = a[2], .fv = a[3], .type = a[4]}.solvePmt();
}

double computePv(const Arguments &a)
{
    return Annuity {.rate = a[0], .nper = a[1], .pmt = a[2], .fv = a[3], .type = a[4]}.solvePv();
}

double computeRate(const Arguments &a)
{
    return Annuity {.nper = a[0], .pmt = a[1], .pv = a[2], .fv = a[3], .type = a[4]}.solveRate(
        a[5]);
}

constexpr FinancialFunction Fv {"fv"_L1, 2, 4, computeFv};
constexpr FinancialFunction Ipmt {"ipmt"_L1, 3, 5, computeIpmt};
constexpr FinancialFunction Nper {"nper"_L1, 2, 4, computeNper};
constexpr FinancialFunction Pmt {"pmt"_L1, 2, 4, computePmt};
constexpr FinancialFunction Pv {"pv"_L1, 2, 4, computePv};
constexpr FinancialFunction Rate {"rate"_L1, 2, 5, computeRate};

bool isRate(const FinancialFunction &f)
{
    return &f == &Rate;
}

// The argument texts as the computation reads them: missing or empty ones are "0" (rate's
// guess 0.1), the others evaluated. Extra arguments are evaluated too, and then ignored.
QStringList filledArguments(Evaluator &ev, QStringList args, const FinancialFunction &f)
{
    while (args.size() <= f.fullIndex)
        args.append(QString());
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (!args[i].isEmpty())
            args[i] = ev.evalToText(args[i]);
        else if (isRate(f) && i == GuessIndex)
            args[i] = u"0"_s + ev.locale().decimalSeparator() + u'1';
        else
            args[i] = u"0"_s;
    }
    return args;
}

Arguments numbersOf(const QStringList &texts, const FinancialFunction &f, const LocaleRules &rules)
{
    Arguments numbers {};
    for (int i = 0; i <= f.fullIndex; ++i) {
        if (!rules.toNumber(texts[i], numbers[i]))
            throw OrvantaError(OrvantaError::TypeMismatch);
    }
    return numbers;
}

Value financial(Evaluator &ev, QStringView argumentText, const FinancialFunction &f)
{
    QStringList args = SplitArgs(argumentText);
    const int minimum = f.requiredIndex + 1;
    if (args.size() < minimum)
        FunctionArguments::reject("The "_L1 + f.name + " function requires at least "_L1
            + QString::number(minimum) + " arguments."_L1);
    const QStringList texts = filledArguments(ev, std::move(args), f);
    const double result = f.compute(numbersOf(texts, f, ev.locale()));
    const QString resultText = ev.locale().numberToText(result);
    // A rate is a small fraction: five decimals would throw most of it away.
    if (isRate(f))
        return Value::text(resultText);
    return Value::text(FormatPattern::format(resultText, ResultPattern, ev.locale()));
}

template<const FinancialFunction &f> Value fnFinancial(Evaluator &ev, QStringView argumentText)
{
    return financial(ev, argumentText, f);
}

template<const FinancialFunction &f> constexpr FunctionEntry entry()
{
    return FunctionEntry::argumentList(f.name, fnFinancial<f>);
}

const FunctionEntry Entries[] = {
    entry<Fv>(),
    entry<Ipmt>(),
    entry<Nper>(),
    entry<Pmt>(),
    entry<Pv>(),
    entry<Rate>(),
};

} // namespace

std::span<const FunctionEntry> financialFunctions()
{
    return Entries;
}
