#ifndef VANTREL_PHYSICS_PORTABLE_MATH_H_
#define VANTREL_PHYSICS_PORTABLE_MATH_H_

namespace physics {

// pi to the nearest double.
inline constexpr double kPi = 3.14159265358979323846;

// The functions of <cmath> that the motion and its reported angles need,
// built from +, -, *, / and sqrt alone. IEEE 754 rounds those exactly, so
// every build computes the same bits: the C libraries' own sin, cos, asin,
// acos and atan2 differ between glibc and MinGW (32 and 64 bit) in the last
// bit for some arguments, and the drop test, step after step, turned such a
// bit into a different number in print. Each result lies within a few units
// in the last place of the exact value. Not finite in, NaN out.
double Sin(double x);
double Cos(double x);
double Atan2(double y, double x);
double Asin(double x);  // x in [-1, 1]
double Acos(double x);  // x in [-1, 1]

}  // namespace physics

#endif  // VANTREL_PHYSICS_PORTABLE_MATH_H_
