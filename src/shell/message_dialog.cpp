#include "shell/message_dialog.h"

#include <QMessageBox>
#include <utility>

namespace himlavy {

namespace {

TMessageHook& Hook() {
  static TMessageHook hook;
  return hook;
}

}  // namespace

void ShowProgramMessage(QWidget* parent, const QString& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Critical, QString::fromLatin1(kProgramTitle), text,
                              QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->show();
}

TMessageHook SetMessageHook(TMessageHook hook) {
  return std::exchange(Hook(), std::move(hook));
}

}  // namespace himlavy
