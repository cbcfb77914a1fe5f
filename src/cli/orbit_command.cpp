// himlavy-cli orbit [FILE]: the orbit from the three observations of an observation file
// (default "observ.dta" of the data folder), as the window "Bankalkylering" computes it.
//
// Text output: the 99-character result line of the comet file, then the warning when there is
// one. With --json one object: {"name", "tp_jd", "q_au", "e", "i_deg", "node_deg",
// "peri_deg", "warning", "line"}: the perihelion time as a Julian day, the perihelion distance
// in AU, the eccentricity and the angles in degrees (ecliptic and equinox J2000.0); "warning"
// is "" when there is none. A file that cannot be read or gives no orbit: the message on
// standard error and exit status 1. When the search for a sector-to-triangle ratio did not
// converge, " convergence problems in FIND_ETA" goes to standard error.
#include <iostream>

#include "base/textfile.h"
#include "cli/cli.h"
#include "cli/json_writer.h"
#include "orbit/orbit_determination.h"

namespace himlavy::cli {

int OrbitCommand(Context& context) {
  if (context.Args.size() > 1) throw UsageError("orbit tar högst en fil: orbit [FIL]");
  const std::filesystem::path path = context.Args.empty()
                                         ? ResolveDataPath(context.DataDir, kObservationFile)
                                         : std::filesystem::path(context.Args[0]);
  const TOrbitReport report = DetermineOrbit(path);
  if (!report.Solution.EtaConverged) std::cerr << kEtaConvergenceText << "\n";
  if (!report.Ok) {
    std::cerr << "himlavy-cli: " << report.Error << "\n";
    return kExitFailure;
  }
  const std::string line = Cp1252ToUtf8(report.Line);
  if (context.Json) {
    const TOrbitElements& el = report.Elements;
    std::cout << JsonObject()
                     .Add("name", report.Name)
                     .Add("tp_jd", el.PerihelionJD)
                     .Add("q_au", el.Q)
                     .Add("e", el.E)
                     .Add("i_deg", el.Incl)
                     .Add("node_deg", el.Node)
                     .Add("peri_deg", el.Peri)
                     .Add("warning", report.Warning)
                     .Add("line", line)
                     .Text()
              << "\n";
  } else {
    std::cout << line << "\n";
    if (!report.Warning.empty()) std::cout << report.Warning << "\n";
  }
  return kExitOk;
}

}  // namespace himlavy::cli
