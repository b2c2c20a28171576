#include "FunctionArguments.h"

#include "Evaluator.h"
#include "OrvantaError.h"
#include "SplitArgs.h"
#include "VariantMath.h"

using namespace Qt::StringLiterals;

namespace {

QLatin1StringView ordinal(qsizetype index)
{
    static constexpr QLatin1StringView Ordinals[]
        = {"1st"_L1, "2nd"_L1, "3rd"_L1, "4th"_L1, "5th"_L1, "6th"_L1};
    return Ordinals[index];
}

} // namespace

FunctionArguments::FunctionArguments(
    Evaluator &ev, QStringView argumentText, QLatin1StringView function)
    : m_ev(ev)
    , m_function(function)
    , m_texts(SplitArgs(argumentText))
{
}

void FunctionArguments::requireCount(qsizetype least, qsizetype most) const
{
    if (m_texts.size() < least || m_texts.size() > most)
        reject("Invalid number of arguments in the "_L1 + m_function + " Function."_L1);
}

void FunctionArguments::evaluateAll()
{
    for (QString &text : m_texts)
        text = m_ev.evalToText(text);
}

double FunctionArguments::number(qsizetype index) const
{
    double value = 0.0;
    if (!m_ev.locale().toNumber(m_texts[index], value))
        reject(index, "is not numeric!"_L1);
    return value;
}

double FunctionArguments::date(qsizetype index) const
{
    double serial = 0.0;
    if (!m_ev.locale().toDate(m_texts[index], serial))
        reject(index, "is not a date!"_L1);
    return serial;
}

void FunctionArguments::reject(qsizetype index, QLatin1StringView problem) const
{
    reject("The "_L1 + ordinal(index) + " argument of the "_L1 + m_function + " function "_L1
        + problem);
}

void FunctionArguments::reject(const QString &message)
{
    throw FunctionRejection {message};
}

qint32 FunctionArguments::wholeNumber(double d)
{
    qint32 n = 0;
    if (int error = VariantMath::toLong(d, n))
        throw OrvantaError(error);
    return n;
}
