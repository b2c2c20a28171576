#include "Annuity.h"
#include "FunctionCaseFixture.h"

#include <QStringList>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using FinancialFunctionsTest = FunctionCaseFixture;

TEST_P(FinancialFunctionsTest, KnownResults)
{
    expectResults({
        {"Pmt(0{d}01;12;1000)", "-88{d}84879"},
        {"PMT(0{d}01;12;1000)", "-88{d}84879"},
        {"Pmt(0;10;1000)", "-100"},
        {"Pmt(0{d}01;12;1000;;1)", "-87{d}9691"},
        {"Pmt(0{d}01;12;)", "0"},
        {"Pmt(0{d}01;12;1000;0;0;7)", "-88{d}84879"},
        {"Fv(0{d}05;2;-100)", "205"},
        {"Fv(0{d}005;360;-1199{d}10;200000)", "-1{d}05505"},
        {"Pv(0;10;-100)", "1000"},
        {"Pv(0{d}01;12;-88{d}84879)", "1000{d}00001"},
        {"Nper(0;-100;1000)", "10"},
        {"Nper(0{d}01;-100;1000)", "10{d}58864"},
        {"Ipmt(0{d}01;1;12;1000)", "-10"},
        {"Ipmt(0{d}01;1;12;1000;0;1)", "0"},
        {"Ipmt(0{d}01;2;12;1000)", "-9{d}21151"},
    });
}

TEST_P(FinancialFunctionsTest, RateKeepsItsPrecisionAndStartsFromTheGuess)
{
    expectResults({
        {"Rate(12;-88{d}84879;1000)", "0{d}01"},
        {"Rate(12;-88{d}84879;1000;;;)", "0{d}01"},
        {"Rate(12;-90;1000)", "0{d}01204346"},
        {"Rate(12;-90;1000;0;0;0{d}5)", "0{d}01204346"},
        {"Rate(12;-90;1000;0;0;-0{d}5)", "0{d}01204346"},
    });
}

TEST_P(FinancialFunctionsTest, ResultsRoundHalfAwayFromZeroToFiveDecimals)
{
    expectResults({
        {"Pmt(0;2;-0{d}20001)", "0{d}10001"},
        {"Pmt(0;2;0{d}20001)", "-0{d}10001"},
        {"Pmt(0;2;-0{d}20003)", "0{d}10002"},
        {"Pmt(0;4;-0{d}00001)", "0"},
        {"Pmt(0;3;-1)", "0{d}33333"},
        {"Pmt(0;3;-2)", "0{d}66667"},
    });
}

TEST_P(FinancialFunctionsTest, TooFewArgumentsAreRejected)
{
    expectRejections({
        {"Pmt(0{d}01;12)", "The pmt function requires at least 3 arguments."},
        {"PMT(1;2)", "The pmt function requires at least 3 arguments."},
        {"Fv()", "The fv function requires at least 3 arguments."},
        {"Nper(1;2)", "The nper function requires at least 3 arguments."},
        {"Pv(1)", "The pv function requires at least 3 arguments."},
        {"Ipmt(0{d}01;1;12)", "The ipmt function requires at least 4 arguments."},
        {"Rate(12;-100)", "The rate function requires at least 3 arguments."},
        // extra arguments are evaluated even though nothing uses them
        {"Pmt(0{d}01;12;1000;0;0;If(1))", "The if function requires at least 2 arguments."},
    });
}

TEST_P(FinancialFunctionsTest, UnusableArgumentsShowTheSyntaxErrorBox)
{
    expectSyntaxErrorBoxes({
        {"Pmt(abc;12;1000)", OrvantaError::TypeMismatch},
        {"Pmt(0{d}01;12;1000;x)", OrvantaError::TypeMismatch},
        {"Rate(12;-90;1000;0;0;guess)", OrvantaError::TypeMismatch},
        {"Pmt(0{d}01;0;1000)", OrvantaError::InvalidProcedureCall},
        {"Ipmt(0{d}01;0;12;1000)", OrvantaError::InvalidProcedureCall},
        {"Ipmt(0{d}01;13;12;1000)", OrvantaError::InvalidProcedureCall},
        {"Rate(12;100;1000)", OrvantaError::InvalidProcedureCall},
        {"Nper(0{d}1;-50;1000)", OrvantaError::InvalidProcedureCall},
        {"Nper(0;0;1000)", OrvantaError::InvalidProcedureCall},
    });
    EXPECT_FALSE(ev.state().ErrorFlag);
}

// Each plan is made to balance first; every function must then give back the quantity it
// solves for, and that quantity must put the annuity equation back to 0.
const Annuity Plans[] = {
    // rate, nper, pmt, pv, fv (solved), type
    {0.01, 12, -100, 1000, 0, 0},
    {0.01, 12, -100, 1000, 0, 1},
    {0.005, 360, -1200, 200000, 0, 0},
    {0.005, 360, -1200, 200000, 0, 1},
    {0.0, 10, -100, 1000, 0, 0},
    {0.0, 24, -50, 0, 0, 1},
    {0.02, 48, 250, -10000, 0, 0},
    {-0.01, 12, -50, 1000, 0, 0},
};

class FinancialRoundTripTest : public FunctionCaseFixture
{
protected:
    double evaluated(const char *name, std::initializer_list<double> arguments)
    {
        QStringList texts;
        for (double a : arguments)
            texts.append(ev.locale().numberToText(a));
        const QString expression = QLatin1StringView(name) + u'(' + texts.join(u';') + u')';
        ev.state().clearError();
        double result = 0.0;
        EXPECT_TRUE(ev.locale().toNumber(ev.locale().toText(ev.evaluate(expression)), result))
            << expression.toStdString();
        EXPECT_TRUE(dialogs.shown().isEmpty()) << expression.toStdString();
        return result;
    }

    // A balance of 0 within what five decimals of the result can move it.
    static void expectBalanced(const Annuity &a, const char *what)
    {
        const double scale = std::abs(a.pv * std::pow(1 + a.rate, a.nper)) + std::abs(a.fv)
            + std::abs(a.pmt * a.nper * std::pow(1 + std::abs(a.rate), a.nper)) + 1.0;
        EXPECT_NEAR(a.balance() / scale, 0.0, 1e-6) << what;
    }
};

TEST_P(FinancialRoundTripTest, EveryQuantitySolvesTheAnnuityEquation)
{
    for (Annuity plan : Plans) {
        plan.fv = plan.solveFv();
        const auto &[rate, nper, pmt, pv, fv, type] = plan;
        Annuity solved = plan;

        solved.pmt = evaluated("Pmt", {rate, nper, pv, fv, type});
        EXPECT_NEAR(solved.pmt, pmt, 1e-5);
        expectBalanced(solved, "pmt");

        solved = plan;
        solved.fv = evaluated("Fv", {rate, nper, pmt, pv, type});
        EXPECT_NEAR(solved.fv, fv, 1e-5);
        expectBalanced(solved, "fv");

        solved = plan;
        solved.pv = evaluated("Pv", {rate, nper, pmt, fv, type});
        EXPECT_NEAR(solved.pv, pv, 1e-5);
        expectBalanced(solved, "pv");

        solved = plan;
        solved.nper = evaluated("Nper", {rate, pmt, pv, fv, type});
        EXPECT_NEAR(solved.nper, nper, 1e-5);
        expectBalanced(solved, "nper");

        solved = plan;
        solved.rate = evaluated("Rate", {nper, pmt, pv, fv, type});
        EXPECT_NEAR(solved.rate, rate, 1e-7);
        expectBalanced(solved, "rate");
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, FinancialFunctionsTest, testing::Values("en_US", "de_DE"));
INSTANTIATE_TEST_SUITE_P(Locales, FinancialRoundTripTest, testing::Values("en_US", "de_DE"));

} // namespace
