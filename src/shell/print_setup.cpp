#include "shell/print_setup.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace himlavy {
namespace {

// Lives as a child of the top-level window; the printer lives as long as its dialog.
class TPrintSetup : public QObject {
 public:
  explicit TPrintSetup(QWidget* window) : QObject(window) {
    setObjectName(QStringLiteral("printSetup"));
    dialog_ = new QPrintDialog(&printer_, window);
  }
  QPrintDialog* Dialog() const { return dialog_; }

 private:
  QPrinter printer_;
  QPrintDialog* dialog_ = nullptr;
};

}  // namespace

QPrintDialog* SharedPrintDialog(QWidget* widget) {
  QWidget* window = widget->window();
  auto* setup =
      window->findChild<TPrintSetup*>(QStringLiteral("printSetup"), Qt::FindDirectChildrenOnly);
  if (setup == nullptr) setup = new TPrintSetup(window);
  return setup->Dialog();
}

}  // namespace himlavy
