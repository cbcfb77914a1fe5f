// The window "Månförmörkelser": the lunar eclipses of the year of the clock reading with the
// Moon's altitude at maximum for the site.
#pragma once

#include "eclipses/eclipse_tables.h"
#include "shell/child_window.h"

class QLabel;

namespace himlavy {

class TLunarEclipsesWindow : public TChildWindow {
  Q_OBJECT

 public:
  TLunarEclipsesWindow(TObsState& state, const std::filesystem::path& dataDir,
                       QWidget* parent = nullptr);

  const TLunarEclipsesReport& Report() const { return report_; }
  QLabel* TitleLabel() const { return titleLabel_; }

 protected:
  void Recompute() override;

 private:
  QLabel* titleLabel_ = nullptr;
  TLunarEclipsesReport report_;
};

}  // namespace himlavy
