#include "physics/rkf78.h"

namespace physics {

const Rkf78Tableau& Rkf78() {
  static const Rkf78Tableau tableau = [] {
    Rkf78Tableau t{};
    t.c = {0.0,     2.0 / 27, 1.0 / 9, 1.0 / 6, 5.0 / 12, 1.0 / 2, 5.0 / 6,
           1.0 / 6, 2.0 / 3,  1.0 / 3, 1.0,     0.0,      1.0};
    auto& a = t.a;
    a[1][0] = 2.0 / 27;
    a[2][0] = 1.0 / 36;
    a[2][1] = 1.0 / 12;
    a[3][0] = 1.0 / 24;
    a[3][2] = 1.0 / 8;
    a[4][0] = 5.0 / 12;
    a[4][2] = -25.0 / 16;
    a[4][3] = 25.0 / 16;
    a[5][0] = 1.0 / 20;
    a[5][3] = 1.0 / 4;
    a[5][4] = 1.0 / 5;
    a[6][0] = -25.0 / 108;
    a[6][3] = 125.0 / 108;
    a[6][4] = -65.0 / 27;
    a[6][5] = 125.0 / 54;
    a[7][0] = 31.0 / 300;
    a[7][4] = 61.0 / 225;
    a[7][5] = -2.0 / 9;
    a[7][6] = 13.0 / 900;
    a[8][0] = 2.0;
    a[8][3] = -53.0 / 6;
    a[8][4] = 704.0 / 45;
    a[8][5] = -107.0 / 9;
    a[8][6] = 67.0 / 90;
    a[8][7] = 3.0;
    a[9][0] = -91.0 / 108;
    a[9][3] = 23.0 / 108;
    a[9][4] = -976.0 / 135;
    a[9][5] = 311.0 / 54;
    a[9][6] = -19.0 / 60;
    a[9][7] = 17.0 / 6;
    a[9][8] = -1.0 / 12;
    a[10][0] = 2383.0 / 4100;
    a[10][3] = -341.0 / 164;
    a[10][4] = 4496.0 / 1025;
    a[10][5] = -301.0 / 82;
    a[10][6] = 2133.0 / 4100;
    a[10][7] = 45.0 / 82;
    a[10][8] = 45.0 / 164;
    a[10][9] = 18.0 / 41;
    a[11][0] = 3.0 / 205;
    a[11][5] = -6.0 / 41;
    a[11][6] = -3.0 / 205;
    a[11][7] = -3.0 / 41;
    a[11][8] = 3.0 / 41;
    a[11][9] = 6.0 / 41;
    a[12][0] = -1777.0 / 4100;
    a[12][3] = -341.0 / 164;
    a[12][4] = 4496.0 / 1025;
    a[12][5] = -289.0 / 82;
    a[12][6] = 2193.0 / 4100;
    a[12][7] = 51.0 / 82;
    a[12][8] = 33.0 / 164;
    a[12][9] = 12.0 / 41;
    a[12][11] = 1.0;
    t.b = {0.0,        0.0,        0.0,       0.0,       0.0,
           34.0 / 105, 9.0 / 35,   9.0 / 35,  9.0 / 280, 9.0 / 280,
           0.0,        41.0 / 840, 41.0 / 840};
    return t;
  }();
  return tableau;
}

namespace {

// The stage rates: velocity and body rate of the stage state, and its
// accelerations.
struct StageRates {
  Vec3 velocity;
  Vec3 rate;
  Acceleration acceleration;
};

template <typename Weights>
BodyState Advance(const BodyState& start, const StageRates* rates, int count,
                  const Weights& weights, double h) {
  BodyState s = start;
  for (int j = 0; j < count; ++j) {
    const double w = weights[static_cast<std::size_t>(j)];
    if (w == 0.0) continue;
    const double wh = w * h;
    s.position += wh * rates[j].velocity;
    s.velocity += wh * rates[j].acceleration.linear;
    s.rate += wh * rates[j].acceleration.angular;
    s.attitude = Turn(s.attitude, wh * rates[j].rate);
  }
  return s;
}

}  // namespace

BodyState Rkf78Step(const Motion& motion, const BodyState& state, double h) {
  const Rkf78Tableau& t = Rkf78();
  StageRates rates[kStages];
  for (int i = 0; i < kStages; ++i) {
    const BodyState stage =
        i == 0 ? state
               : Advance(state, rates, i, t.a[static_cast<std::size_t>(i)], h);
    rates[i] = {stage.velocity, stage.rate, Accelerate(motion, stage, h)};
  }
  BodyState end = Advance(state, rates, kStages, t.b, h);
  end.attitude = Orthonormal(end.attitude);
  return end;
}

}  // namespace physics
