// The calendar window "Kalender": one day's Julian day, day number, equation of time, rising
// and setting of the Sun with the twilights and of the Moon, and the current values of the
// moment, for the date of the clock reading at the observing site. Three spin buttons step the
// moment by a year, a month or a day.
#pragma once

#include <array>
#include <string>

#include "shell/child_window.h"
#include "timecal/calendar_report.h"

class QFrame;
class QGroupBox;
class QLabel;

namespace himlavy {

class TCalendarWindow : public TChildWindow {
  Q_OBJECT

 public:
  TCalendarWindow(TObsState& state, const std::filesystem::path& dataDir,
                  QWidget* parent = nullptr);

  // The spin buttons "År", "Månad" and "Dag" (SpinButton1..3), indexed by TCalendarStep.
  TSpinButton* SpinButton(TCalendarStep step) const {
    return spinButtons_[static_cast<std::size_t>(step)];
  }
  // The two large labels: the title and the place name.
  QLabel* TitleLabel() const { return titleLabel_; }
  QLabel* PlaceLabel() const { return placeLabel_; }
  // The group "Aktuella beräkningsvärden" and its nine labels, top to bottom.
  QGroupBox* ValuesGroup() const { return valuesGroup_; }
  QLabel* ValueLabel(int index) const { return valueLabels_[static_cast<std::size_t>(index)]; }
  // The bevelled area in which the day's lines are drawn.
  QFrame* Bevel() const { return bevel_; }
  // The calendar last drawn.
  const TCalendarReport& Report() const { return report_; }

  // The spin buttons' clicks (+1 up, -1 down).
  void SpinButtonClick(TCalendarStep step, int direction);

 protected:
  void Recompute() override;
  // A paint request redraws when the moment, the site or the shared values have changed since
  // the last drawing.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TInputs {
    double ClockJD, TimeZone, Latitude, Longitude, JD_UT, JD_TT, Obliquity, NutLon, NutObl;
    int TimeScale;
    std::string PlaceName;
    bool operator==(const TInputs&) const = default;
  };
  TInputs CurrentInputs() const;

  QLabel* titleLabel_ = nullptr;
  QLabel* placeLabel_ = nullptr;
  QFrame* bevel_ = nullptr;
  QGroupBox* valuesGroup_ = nullptr;
  std::array<QLabel*, 9> valueLabels_{};
  std::array<TSpinButton*, 3> spinButtons_{};
  TCalendarReport report_;
  TInputs drawn_{};
  bool hasDrawn_ = false;
};

}  // namespace himlavy
