// The drawing of the two windows of Jupiter's large moons: the strip seen from the Earth and
// the two panels with Jupiter in the centre.
#pragma once

#include "planets/jupiter_moons_view.h"
#include "shell/canvas.h"

namespace himlavy {

// The strip's colours: the navy sky, the grey equator line, the bodies' fill.
inline constexpr TColor kStripSky{0, 0, 128};
inline constexpr TColor kStripEquator{128, 128, 128};
inline constexpr TColor kJupiterColour{243, 181, 65};

// DrawJupiterMoonsStrip: clears `canvas` to navy and draws the strip: the equator line, the
// five bodies in their draw order (black outlines), the "N" over the north pole, the
// direction mark and, when asked, the moons' names (white, "Arial" 8 pt).
void DrawJupiterMoonsStrip(Canvas& canvas, const TJupiterMoonsStrip& strip);

// DrawJupiterCentre: clears `canvas` (black, or silver in atlas mode) and draws the two panels:
// the edge-on panel's equator line with "-    +", the pole-on panel's circle and its 24 marks,
// Jupiter (with latitude circles at high scales), the moons as white disks (a dot when behind
// the disk) with their names, and the probes as green marks (a black pixel when hidden).
void DrawJupiterCentre(Canvas& canvas, const TJupiterCentreView& view);

// DrawJupiterCentreBodies: the moons and the probes alone, over what `canvas` shows (each
// panel clipped to itself): while the time runs they leave trails.
void DrawJupiterCentreBodies(Canvas& canvas, const TJupiterCentreView& view);

}  // namespace himlavy
