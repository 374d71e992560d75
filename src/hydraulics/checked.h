#pragma once
// Arithmetic that faults on a division by zero (0/0 included), an overflow, a
// negative base to a fractional power and the square root of a negative number.
// A Real is always finite; any step that would leave it otherwise throws Fault,
// which the computations turn into their failure path. Internal to this library.

#include <cmath>
#include <compare>

namespace rg::hyd {

// A run-time error of a computation's arithmetic.
struct Fault {};

class Real {
 public:
  constexpr Real() = default;
  // Implicit, so that formulas read as written: 1 - 0.09 * (V - Vo).
  Real(double v) : v_(v) {  // NOLINT(google-explicit-constructor)
    if (!std::isfinite(v)) throw Fault{};
  }
  double value() const { return v_; }

  friend Real operator+(Real a, Real b) { return Real(a.v_ + b.v_); }
  friend Real operator-(Real a, Real b) { return Real(a.v_ - b.v_); }
  friend Real operator*(Real a, Real b) { return Real(a.v_ * b.v_); }
  friend Real operator/(Real a, Real b) {
    if (b.v_ == 0.0) throw Fault{};
    return Real(a.v_ / b.v_);
  }
  friend Real operator-(Real a) { return Real(-a.v_); }

  friend bool operator==(Real a, Real b) { return a.v_ == b.v_; }
  friend std::partial_ordering operator<=>(Real a, Real b) { return a.v_ <=> b.v_; }

 private:
  double v_ = 0.0;
};

// base ^ exponent.
inline Real pow(Real base, double exponent) {
  const double b = base.value();
  if (b < 0.0 && std::trunc(exponent) != exponent) throw Fault{};
  if (b == 0.0 && exponent < 0.0) throw Fault{};
  return Real(std::pow(b, exponent));
}

inline Real sqrt(Real x) {
  if (x.value() < 0.0) throw Fault{};
  return Real(std::sqrt(x.value()));
}

inline Real sin(Real x) { return Real(std::sin(x.value())); }
inline Real abs(Real x) { return Real(std::fabs(x.value())); }

}  // namespace rg::hyd
