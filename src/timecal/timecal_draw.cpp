#include "timecal/timecal_draw.h"

#include <QString>

namespace himlavy {

namespace {

// The windows' type, and the background the bands are cleared to and text cells are filled
// with.
void PrepareText(Canvas& canvas, TColor background) {
  canvas.SetFont(QStringLiteral("MS Sans Serif"), 8, colours::kBlack);
  canvas.SetBrushStyle(TBrushStyle::Solid);
  canvas.SetBrushColour(background);
  canvas.SetBackMode(TBackMode::Brush);
  canvas.SetPenMode(TPenMode::Copy);
  canvas.ResetClip();
}

}  // namespace

void DrawCalendarLines(Canvas& canvas, const TCalendarReport& report, TColor background) {
  PrepareText(canvas, background);
  int clearedTo = kCalendarLineHeight * kCalendarFirstLine;
  for (const TCalendarLine& line : report.Lines) {
    const int bottom = kCalendarLineHeight * (line.Line + 1);
    if (bottom > clearedTo) {
      canvas.FillRect(kCalendarClearLeft, clearedTo, kCalendarClearRight, bottom);
      clearedTo = bottom;
    }
    for (const TTextItem& item : line.Items) canvas.TextOut(item.X, item.Y, item.Text);
  }
  if (kCalendarClearBottom > clearedTo) {
    canvas.FillRect(kCalendarClearLeft, clearedTo, kCalendarClearRight, kCalendarClearBottom);
  }
}

void DrawAlmanacLines(Canvas& canvas, const TAlmanacReport& report, TColor background) {
  PrepareText(canvas, background);
  for (int slot = 0; slot < kAlmanacSlots; ++slot) {
    const TAlmanacSlot s = AlmanacSlot(slot);
    const int y = kAlmanacLineHeight * s.Line;
    canvas.FillRect(s.X0 + kAlmanacDateX, y, s.X0 + kAlmanacClearRight, y + kAlmanacLineHeight);
    if (slot >= static_cast<int>(report.Lines.size())) continue;
    const TAlmanacLine& line = report.Lines[static_cast<std::size_t>(slot)];
    canvas.TextOut(s.X0 + kAlmanacDateX, y, line.DateText);
    canvas.TextOut(s.X0 + kAlmanacTimeX, y, line.TimeText);
    canvas.TextOut(s.X0 + kAlmanacTextX, y, line.EventText);
  }
}

void DrawHolidayLines(Canvas& canvas, const THolidaysReport& report, TColor background) {
  PrepareText(canvas, background);
  int bottom = kHolidaysLineHeight * kHolidaysFirstLine;
  for (const THoliday& holiday : report.Lines) {
    const int y = kHolidaysLineHeight * holiday.Line;
    bottom = y + kHolidaysLineHeight;
    canvas.FillRect(kHolidaysDateX, y, kHolidaysClearRight, bottom);
    canvas.TextOut(kHolidaysDateX, y, holiday.DateText);
    canvas.TextOut(kHolidaysNameX, y, holiday.Name);
  }
  if (kHolidaysClearBottom > bottom) {
    canvas.FillRect(kHolidaysDateX, bottom, kHolidaysClearRight, kHolidaysClearBottom);
  }
}

}  // namespace himlavy
