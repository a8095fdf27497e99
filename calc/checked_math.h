#pragma once

// Checked arithmetic for the formulas. Every step of a formula goes through
// one of these so that a fault is raised where it happens: a non-zero value
// divided by zero is a division by zero; 0/0 and a result that does not fit
// its precision are an overflow. Underflow and inexact results are fine.
namespace checked {

// A double-precision step result; throws Overflow when it is not finite.
double Step(double value);

// a / b with the fault rules above.
double Divide(double numerator, double denominator);

// Double-precision power, checked.
double Power(double base, double exponent);

// Rounds once to single precision for storing in the design; throws Overflow
// when the value does not fit a float.
float Store(double value);

} // namespace checked
