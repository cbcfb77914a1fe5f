// The holidays window "Helger": the Swedish public holidays of the year of the clock reading,
// in date order.
#pragma once

#include "shell/child_window.h"
#include "timecal/holidays_report.h"

class QFrame;
class QLabel;

namespace himlavy {

class THolidaysWindow : public TChildWindow {
  Q_OBJECT

 public:
  THolidaysWindow(TObsState& state, const std::filesystem::path& dataDir,
                  QWidget* parent = nullptr);

  // The large label with the title.
  QLabel* TitleLabel() const { return titleLabel_; }
  // The bevelled area in which the list is drawn.
  QFrame* Bevel() const { return bevel_; }
  // The holidays last drawn.
  const THolidaysReport& Report() const { return report_; }

 protected:
  void Recompute() override;
  // A paint request redraws when the clock reading has changed since the last drawing.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* titleLabel_ = nullptr;
  QFrame* bevel_ = nullptr;
  THolidaysReport report_;
  double drawnClockJD_ = 0.0;
  bool hasDrawn_ = false;
};

}  // namespace himlavy
