#include "Annuity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

// Names the plan in test output instead of dumping its bytes.
static void PrintTo(const Annuity &a, std::ostream *os)
{
    *os << "rate=" << a.rate << " nper=" << a.nper << " pmt=" << a.pmt << " pv=" << a.pv
        << " fv=" << a.fv << " type=" << a.type;
}

namespace {

// A balance of 0 within rounding: the money moved is the scale of the error allowed.
double tolerance(const Annuity &a)
{
    const double scale = std::abs(a.pv) + std::abs(a.fv) + std::abs(a.pmt * a.nper) + 1.0;
    return scale * 1e-9;
}

const Annuity Plans[] = {
    // rate, nper, pmt, pv, fv, type
    {0.01, 12, -100, 1000, 0, 0},
    {0.005, 360, -1200, 200000, -5000, 1},
    {0.05, 2, -100, 0, 0, 0},
    {0.0, 10, -100, 1000, 0, 0},
    {0.0, 24, -50, 0, 2000, 0},
    {0.02, 48, 250, -10000, 0, 0},
    {-0.01, 12, -50, 1000, 0, 0},
    {0.1, 5, 0, -1000, 1000, 0},
    {1e-9, 120, -10, 1000, 0, 0},
};

using AnnuityRoundTrip = testing::TestWithParam<Annuity>;

TEST_P(AnnuityRoundTrip, EachQuantitySolvedFitsTheEquation)
{
    Annuity plan = GetParam();
    Annuity solved = plan;
    solved.fv = plan.solveFv();
    EXPECT_NEAR(solved.balance(), 0.0, tolerance(solved));
    solved = plan;
    solved.pv = plan.solvePv();
    EXPECT_NEAR(solved.balance(), 0.0, tolerance(solved));
    solved = plan;
    solved.pmt = plan.solvePmt();
    EXPECT_NEAR(solved.balance(), 0.0, tolerance(solved));
    plan.fv = plan.solveFv(); // a plan that ends where it should, so a term and a rate exist
    solved = plan;
    solved.rate = solved.solveRate(0.1); // from the default guess
    EXPECT_NEAR(solved.rate, plan.rate, 1e-7);
    EXPECT_NEAR(solved.balance(), 0.0, tolerance(solved) * 1e3);
    if (plan.pmt == 0.0 && plan.rate == 0.0)
        return; // no payment and no interest: every term fits
    solved = plan;
    solved.nper = -1.0;
    solved.nper = solved.solveNper();
    EXPECT_NEAR(solved.nper, plan.nper, 1e-6);
    EXPECT_NEAR(solved.balance(), 0.0, tolerance(solved));
}

TEST_P(AnnuityRoundTrip, InterestOfAllPeriodsIsWhatThePaymentsCostBeyondThePrincipal)
{
    Annuity plan = GetParam();
    plan.pmt = plan.solvePmt();
    double interest = 0.0;
    for (int per = 1; per <= plan.nper; ++per)
        interest += plan.interestPayment(per);
    // Paid in advance, the last period's growth up to fv comes after the last payment.
    const double owedAtLastPayment = plan.type != 0.0 ? plan.fv / (1.0 + plan.rate) : plan.fv;
    EXPECT_NEAR(interest, plan.pmt * plan.nper + plan.pv + owedAtLastPayment, tolerance(plan));
}

INSTANTIATE_TEST_SUITE_P(Plans, AnnuityRoundTrip, testing::ValuesIn(Plans));

} // namespace
