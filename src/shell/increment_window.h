// The increment window "Inkrementering": steps the moment by a year, a month, a day, an hour,
// a minute or a second, forwards or backwards, with six spin buttons.
#pragma once

#include <array>

#include "shell/child_window.h"

namespace himlavy {

class TIncrementWindow : public TChildWindow {
  Q_OBJECT

 public:
  TIncrementWindow(TObsState& state, const std::filesystem::path& dataDir,
                   QWidget* parent = nullptr);

  // The spin buttons under "År", "Mån", "Dag", "Tim", "Min" and "Sek" (SpinButton1..6).
  TSpinButton* SpinButton(int index) const { return spinButtons_[index]; }

 private:
  std::array<TSpinButton*, 6> spinButtons_{};
};

}  // namespace himlavy
