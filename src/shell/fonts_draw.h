// Fonts for drawing and windows.
//
// The program names the classic Windows fonts; they map to the metric-compatible Liberation
// fonts. Sizes are in points at 96 dots per inch (8 pt = 11 px) and set as pixel sizes, so no
// drawing depends on the screen's resolution.
#pragma once

#include <QFont>
#include <QString>

namespace himlavy {

// Registers the font substitutions once per process ("Arial" -> Liberation Sans, "Arial
// Narrow" -> Liberation Sans Narrow, "MS Sans Serif" -> Liberation Sans, "Courier New" ->
// Liberation Mono). Needs a QGuiApplication.
void RegisterFontSubstitutions();

// Pixel size of a point size at 96 dpi, rounded to the nearest pixel (ties to even).
int PointsToPixels(double points);

// A font by its classic name, point size (at 96 dpi) and weight.
QFont MakeFont(const QString& name, double points, bool bold = false, bool italic = false);

}  // namespace himlavy
