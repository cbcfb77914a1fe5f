// The picture window "Bilder på astronomiska objekt": photographs of sixteen objects, read
// from BMP files in the program's working directory, with a credit line under each.
#pragma once

#include "shell/child_window.h"

class QComboBox;
class QLabel;

namespace himlavy {

class TPicturesWindow : public TChildWindow {
  Q_OBJECT

 public:
  TPicturesWindow(TObsState& state, const std::filesystem::path& dataDir,
                  QWidget* parent = nullptr);

  QComboBox* List() const { return list_; }
  QLabel* Picture() const { return picture_; }
  QLabel* Credit() const { return credit_; }

 protected:
  void FormShow() override;

 private:
  // Loads the picture of a list item. A file that cannot be opened shows "Cannot open file
  // <name>" and leaves the picture and the credit as they were.
  bool LoadPicture(int index);
  void ShowChosenPicture(int index);

  QComboBox* list_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* credit_ = nullptr;
};

}  // namespace himlavy
