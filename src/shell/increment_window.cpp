#include "shell/increment_window.h"

#include <QLabel>

#include "shell/fonts_draw.h"

namespace himlavy {

namespace {

constexpr std::array<const char*, 6> kStepLabels = {"År", "Mån", "Dag", "Tim", "Min", "Sek"};

// Column width and the positions of the labels and spin buttons in the client area.
constexpr int kColumn = 25;
constexpr int kLeft = 2;
constexpr int kLabelTop = 1;
constexpr int kSpinTop = 16;
constexpr int kSpinWidth = 20;
constexpr int kSpinHeight = 36;

}  // namespace

TIncrementWindow::TIncrementWindow(TObsState& state, const std::filesystem::path& dataDir,
                                   QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("incrementWindow"));
  setWindowTitle(QStringLiteral("Inkrementering"));
  SetPlacement(QRect(860, 1, 160, 85));
  SetFixedBorder();
  // The window shows nothing that depends on the state: its timer only clears its flag.
  SetRedrawFlag(&TObsState::RedrawIncrement);

  const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  for (std::size_t i = 0; i < spinButtons_.size(); ++i) {
    const int x = kLeft + static_cast<int>(i) * kColumn;
    auto* label = new QLabel(QString::fromUtf8(kStepLabels[i]), Client());
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setFont(font);
    label->setGeometry(x + kSpinWidth / 2 - kColumn / 2, kLabelTop, kColumn, 14);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* spin = new TSpinButton(Client());
    spin->setObjectName(QStringLiteral("SpinButton%1").arg(i + 1));
    spin->setGeometry(x, kSpinTop, kSpinWidth, kSpinHeight);
    const double step = kMomentSteps[i];
    connect(spin, &TSpinButton::UpClick, this, [this, step] { StepMoment(State(), step); });
    connect(spin, &TSpinButton::DownClick, this, [this, step] { StepMoment(State(), -step); });
    spinButtons_[i] = spin;
  }
}

}  // namespace himlavy
