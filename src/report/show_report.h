#ifndef VANTREL_REPORT_SHOW_REPORT_H_
#define VANTREL_REPORT_SHOW_REPORT_H_

#include <ostream>
#include <string>

#include "analysis/vessel_account.h"
#include "files/file_system.h"
#include "report/drop_report.h"
#include "standin/session.h"

namespace report {

// Prints what `vantrel show` tells about one vessel after the plug-in updated
// it, from its account: the files the module tried and why each did or did
// not apply, the host log, what `vantrel check` says about the file that
// applied, the points handed to the host with where each value came from,
// and how the vessel rests on flat ground and fares on slopes of its body
// (`drop`, the drop test of the
// points it got), with the host's placement of a landed vessel beside it.
// The file that applied is read again through `files`.
void PrintShowReport(const standin::SessionResult& result,
                     const standin::VesselOutcome& vessel,
                     const analysis::VesselAccount& account,
                     files::FileSystem& files, const DroppedSet& drop,
                     std::ostream& out);

// The drop test `vantrel show` makes of the points a vessel got on `body`:
// released 0.5 m above the ground at x1 and 60 fps, for 30 s; with its
// answer on a slope of slope::kShownSlopeDeg of the body.
DroppedSet ShowDrop(const standin::VesselOutcome& vessel,
                    const vessel::VesselBody& body);

// The drawing of `vantrel show --svg`: the points the vessel got, in three
// views, on the ground where the drop test `drop` of them leaves it.
std::string DrawShownVessel(const standin::VesselOutcome& vessel,
                            const physics::DropResult& drop);

}  // namespace report

#endif  // VANTREL_REPORT_SHOW_REPORT_H_
