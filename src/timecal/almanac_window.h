// The almanac window "Almanacka": the astronomical events of the year of the clock reading, in
// local time, in two columns of 43 lines.
#pragma once

#include "shell/child_window.h"
#include "timecal/almanac_report.h"

class QFrame;
class QLabel;

namespace himlavy {

class TAlmanacWindow : public TChildWindow {
  Q_OBJECT

 public:
  TAlmanacWindow(TObsState& state, const std::filesystem::path& dataDir, QWidget* parent = nullptr);

  // The large label with the title.
  QLabel* TitleLabel() const { return titleLabel_; }
  // The two bevelled columns (0 left, 1 right).
  QFrame* Column(int index) const { return index == 0 ? leftColumn_ : rightColumn_; }
  // The almanac last drawn.
  const TAlmanacReport& Report() const { return report_; }

 protected:
  void Recompute() override;
  // A paint request redraws when the clock reading, the zone or the scale have changed since
  // the last drawing.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TInputs {
    double ClockJD, TimeZone;
    int TimeScale;
    bool operator==(const TInputs&) const = default;
  };
  TInputs CurrentInputs() const;

  QLabel* titleLabel_ = nullptr;
  QFrame* leftColumn_ = nullptr;
  QFrame* rightColumn_ = nullptr;
  TAlmanacReport report_;
  TInputs drawn_{};
  bool hasDrawn_ = false;
};

}  // namespace himlavy
