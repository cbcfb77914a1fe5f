// The exit confirmation "Avsluta Himlavy".
#pragma once

#include <QDialog>

class QPushButton;

namespace himlavy {

// A fixed dialog centred on the screen with the program's sky picture, a green "Ja" (accepts:
// the caller closes the main window) and a red "Nej" (rejects: the dialog just closes).
class TExitDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TExitDialog(QWidget* parent = nullptr);

  QPushButton* YesButton() const { return yesButton_; }
  QPushButton* NoButton() const { return noButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* yesButton_ = nullptr;
  QPushButton* noButton_ = nullptr;
};

}  // namespace himlavy
