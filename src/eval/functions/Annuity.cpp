#include "Annuity.h"

#include "OrvantaError.h"

#include <cmath>

namespace {

constexpr double RateTolerance = 1e-7; // 0.00001 percent
constexpr int RateTries = 20;

// (1 + rate)^nper
double growth(double rate, double nper)
{
    return std::pow(1.0 + rate, nper);
}

// ((1 + rate)^nper - 1) / rate, the value of one unit paid each period; computed through
// expm1/log1p so that rates near 0 keep their precision.
double accumulation(double rate, double nper)
{
    if (rate == 0.0)
        return nper;
    if (rate > -1.0)
        return std::expm1(nper * std::log1p(rate)) / rate;
    return (growth(rate, nper) - 1.0) / rate;
}

// d/drate of accumulation()
double accumulationSlope(double rate, double nper)
{
    if (rate == 0.0)
        return nper * (nper - 1.0) / 2.0;
    return (nper * growth(rate, nper - 1.0) - accumulation(rate, nper)) / rate;
}

// A result the platform cannot represent is a failure, never a number.
double checked(double result)
{
    if (std::isnan(result))
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    if (std::isinf(result))
        throw OrvantaError(OrvantaError::Overflow);
    return result + 0.0; // no negative zero
}

} // namespace

double Annuity::balance() const
{
    if (rate == 0.0)
        return pv + pmt * nper + fv;
    return pv * growth(rate, nper) + pmt * (1.0 + rate * due()) * accumulation(rate, nper) + fv;
}

double Annuity::solveFv() const
{
    if (rate == 0.0)
        return checked(-(pv + pmt * nper));
    return checked(
        -(pv * growth(rate, nper) + pmt * (1.0 + rate * due()) * accumulation(rate, nper)));
}

double Annuity::solvePv() const
{
    if (rate == 0.0)
        return checked(-(fv + pmt * nper));
    return checked(
        -(fv + pmt * (1.0 + rate * due()) * accumulation(rate, nper)) / growth(rate, nper));
}

double Annuity::solvePmt() const
{
    if (nper == 0.0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    if (rate == 0.0)
        return checked(-(pv + fv) / nper);
    return checked(
        -(pv * growth(rate, nper) + fv) / ((1.0 + rate * due()) * accumulation(rate, nper)));
}

double Annuity::solveNper() const
{
    if (rate == 0.0) {
        if (pmt == 0.0)
            throw OrvantaError(OrvantaError::InvalidProcedureCall);
        return checked(-(pv + fv) / pmt);
    }
    const double payment = pmt * (1.0 + rate * due());
    const double ratio = (payment - fv * rate) / (payment + pv * rate);
    // The logarithm of a value that is not positive does not exist.
    if (!(ratio > 0.0) || rate <= -1.0)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    return checked(std::log(ratio) / std::log1p(rate));
}

double Annuity::solveRate(double guess) const
{
    if (!(nper > 0.0))
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    // Newton on the payment the other quantities call for, less the payment given: that
    // residual is nearly linear in the rate, so even long terms converge in a few steps
    // where the balance itself grows like (1 + rate)^nper.
    double estimate = guess;
    for (int tries = 0; tries < RateTries; ++tries) {
        const double a = accumulation(estimate, nper);
        const double owed = pv * growth(estimate, nper) + fv;
        const double residual = pmt * (1.0 + estimate * due()) + owed / a;
        const double slope = pmt * due()
            + (pv * nper * growth(estimate, nper - 1.0) * a
                  - owed * accumulationSlope(estimate, nper))
                / (a * a);
        double next = estimate - residual / slope;
        if (!std::isfinite(next))
            break;
        if (next <= -1.0) // (1 + rate)^nper must stay defined: go halfway towards -1
            next = (estimate - 1.0) / 2.0;
        if (std::abs(next - estimate) < RateTolerance)
            return next + 0.0;
        estimate = next;
    }
    throw OrvantaError(OrvantaError::InvalidProcedureCall);
}

double Annuity::interestPayment(double per) const
{
    if (!(per >= 1.0 && per <= nper))
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    // Paid at the beginning, the first payment comes before any interest has accrued.
    if (due() != 0.0 && per == 1.0)
        return 0.0;
    const double payment = solvePmt();
    const Annuity sofar {rate, per - 1.0, payment, pv, 0.0, type};
    const double interest = sofar.solveFv() * rate;
    return checked(due() != 0.0 ? interest / (1.0 + rate) : interest);
}
