// Drawing of the calendar, almanac and holidays windows: their lines onto the window's canvas.
//
// Each routine writes its report's texts in the window's type ("MS Sans Serif", 8 points,
// black, regular) on the background colour of the window, clearing the bands of the lines it
// writes and the rest of its area below them, so that a new drawing leaves nothing of the old.
#pragma once

#include "shell/canvas.h"
#include "timecal/almanac_report.h"
#include "timecal/calendar_report.h"
#include "timecal/holidays_report.h"

namespace himlavy {

// DrawCalendarLines: the day's lines of the calendar's bevelled area.
//   canvas      the window's client canvas (client coordinates)
//   report      the calendar of the day
//   background  the window's colour
// Before each line the rows from the end of the previous line (from y = 70 at the first) to the
// end of this one are cleared between x = 10 and 290; after the last line the rows down to
// y = 240.
void DrawCalendarLines(Canvas& canvas, const TCalendarReport& report, TColor background);

// DrawAlmanacLines: the 86 slots of the almanac's two columns.
//   canvas      the window's client canvas
//   report      the almanac of the year
//   background  the window's colour
// Every slot's band (13 pixels from y = 13 k, from x0 + 10 to x0 + 402) is cleared; the slots
// with a line get its date at x0 + 10, its time at x0 + 120 and its text at x0 + 190.
void DrawAlmanacLines(Canvas& canvas, const TAlmanacReport& report, TColor background);

// DrawHolidayLines: the holidays of the year in the bevelled area.
//   canvas      the window's client canvas
//   report      the holidays of the year
//   background  the window's colour
// Line k: the band from x = 10 to 380 (14 pixels from y = 14 k) is cleared, the date and
// weekday written at x = 10 and the name at x = 175; below the last line the rows down to
// y = 252 are cleared.
void DrawHolidayLines(Canvas& canvas, const THolidaysReport& report, TColor background);

}  // namespace himlavy
