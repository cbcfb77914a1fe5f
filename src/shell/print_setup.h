// The printer set-up the whole program shares: one printer and one print dialog, owned by the
// top-level window, so that the choice made in one window holds for the next print.
#pragma once

class QPrintDialog;
class QWidget;

namespace himlavy {

// The print dialog of the top-level window of `widget`, made on first use.
QPrintDialog* SharedPrintDialog(QWidget* widget);

}  // namespace himlavy
