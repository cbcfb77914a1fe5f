// The drawing of the telescope disk views: the sky circle, the disk with its phase (Mercury,
// Venus, Mars, the Moon) or the flattened globe (Jupiter, Saturn), Saturn's rings and the
// north mark, turned by the parallactic angle when the view says so.
#pragma once

#include "planets/disk_view.h"
#include "shell/canvas.h"

namespace himlavy {

// Draws `view` about the centre (cx, cy) of `canvas`. Position angles p map to the screen
// direction (-sin p, -cos p): 0 up, 90 deg to the left (east); the drawing is turned by -q.
void DrawDiskView(Canvas& canvas, const TDiskView& view, int cx, int cy);

}  // namespace himlavy
