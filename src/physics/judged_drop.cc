#include "physics/judged_drop.h"

#include "physics/stability.h"

namespace physics {

JudgedDrop DropAndJudge(const DroppedVessel& vessel,
                        const ContactPoints& points, const DropOptions& options,
                        bool hand_over, unsigned threads) {
  JudgedDrop set;
  set.setup = MakeDropSetup(vessel, points, options);
  set.result = RunDrop(set.setup);
  set.hand_over = hand_over;
  set.sweep =
      SweepWarpSteps(vessel, points, options, hand_over, &set.result, threads);
  set.linear_warp = LinearStableWarp(points, vessel.body, options.fps);
  const double weight = vessel.body.mass * options.gravity;
  if (points.size() >= 3) {
    set.placement =
        ComputeRestingLoad(points, vessel.body.mass, options.gravity);
  }
  set.judgement = Judge(set.result, set.placement, weight, set.sweep);
  return set;
}

JudgedDrop JudgeAtMass(const JudgedDrop& set, double mass, unsigned threads) {
  DroppedVessel vessel;
  vessel.body = set.setup.body;
  vessel.body.mass = mass;
  vessel.own_points = set.setup.own_points;
  vessel.switch_frame = set.setup.switch_frame;
  DropOptions options;
  options.gravity = set.setup.gravity;
  options.fps = set.setup.fps;
  options.warp = set.setup.warp;
  options.seconds = set.setup.seconds;
  options.height = set.setup.height;
  options.start = set.setup.start;
  return DropAndJudge(vessel, set.setup.points, options, set.hand_over,
                      threads);
}

}  // namespace physics
