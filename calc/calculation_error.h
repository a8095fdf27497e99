#pragma once

#include <stdexcept>
#include <string>

// A floating-point fault of the calculation. The run is abandoned at once;
// nothing infinite or undefined is ever stored in the design.
enum class CalculationErrorKind {
    DivisionByZero, // a non-zero value divided by zero
    Overflow,       // 0/0, or a result too large for the precision it is held in
};

class CalculationError : public std::runtime_error {
  public:
    explicit CalculationError(CalculationErrorKind kind);
    CalculationErrorKind kind() const noexcept { return kind_; }

  private:
    CalculationErrorKind kind_;
};

// The Chinese name of the fault as the program shows it ("除数为零", "溢出").
const char *CalculationErrorName(CalculationErrorKind kind);
