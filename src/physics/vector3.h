#ifndef VANTREL_PHYSICS_VECTOR3_H_
#define VANTREL_PHYSICS_VECTOR3_H_

#include <cmath>

namespace physics {

// A vector in one of the host's left-handed frames (x right, y up, z
// forward). Cross is the usual component formula, as the host writes it.
struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(double s, const Vec3& a) {
  return {s * a.x, s * a.y, s * a.z};
}
inline Vec3& operator+=(Vec3& a, const Vec3& b) { return a = a + b; }
inline double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }
// `a` scaled to length 1; the zero vector when `a` has no length.
inline Vec3 UnitOrZero(const Vec3& a) {
  const double length = Length(a);
  return length > 0.0 ? (1.0 / length) * a : Vec3{};
}
inline bool IsFinite(const Vec3& a) {
  return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

}  // namespace physics

#endif  // VANTREL_PHYSICS_VECTOR3_H_
