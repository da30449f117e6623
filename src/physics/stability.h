#ifndef VANTREL_PHYSICS_STABILITY_H_
#define VANTREL_PHYSICS_STABILITY_H_

#include <complex>

#include "physics/contact_point.h"

namespace physics {

// The eighth-order solution's stability function: one sub-step of it on
// y' = L y multiplies y by R(h L).
std::complex<double> Rkf78Growth(std::complex<double> z);

// The largest h |L| for which |R(h L)| <= 1 along the direction of
// `direction` in the complex plane (from 0 outwards).
double Rkf78StabilityLimit(std::complex<double> direction);

// The highest time acceleration at `fps` frames per second for which the
// stiffest mode of a vessel standing on all of `points` is stable under the
// host's scheme (ten sub-steps per frame): the vertical mode, and the pitch
// and roll modes as the points' springs and dampers resist them, each taken
// alone.
double LinearStableWarp(const ContactPoints& points, const Body& body,
                        double fps);

}  // namespace physics

#endif  // VANTREL_PHYSICS_STABILITY_H_
