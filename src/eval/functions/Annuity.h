#pragma once

// One annuity: the loan or saving plan behind Fv, Ipmt, Nper, Pmt, Pv and Rate. Its
// quantities satisfy
//   pv * (1 + rate)^nper + pmt * (1 + rate * type) * ((1 + rate)^nper - 1) / rate + fv = 0
// (pv + pmt * nper + fv = 0 when rate is 0). Each solve member gives the quantity it
// names from the others, whatever that member holds. Money paid out is negative.
// A quantity that has no solution throws OrvantaError.
struct Annuity
{
    double rate = 0.0;
    double nper = 0.0;
    double pmt = 0.0;
    double pv = 0.0;
    double fv = 0.0;
    // 0: payments at the end of each period; anything else: at the beginning.
    double type = 0.0;

    // The left-hand side of the equation; 0 when the quantities fit together.
    double balance() const;

    double solveFv() const;
    double solvePv() const;
    double solvePmt() const;
    double solveNper() const;
    // Newton's method from guess, until two estimates lie within 0.00001 percent.
    double solveRate(double guess) const;
    // The interest part of the payment of period per (1 to nper).
    double interestPayment(double per) const;

private:
    double due() const { return type != 0.0 ? 1.0 : 0.0; }
};
