// The about box "Om Himlavy".
#pragma once

#include <QDialog>

class QPushButton;

namespace himlavy {

// A modal dialog with the program icon, the product name "Himlavy", the texts
// "Windows 95/98/NT/2000" and "version 4.6", and the button "Åter" that closes it.
class TAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutDialog(QWidget* parent = nullptr);

  QPushButton* OkButton() const { return okButton_; }

 private:
  QPushButton* okButton_ = nullptr;
};

}  // namespace himlavy
