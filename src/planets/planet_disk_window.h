// The telescope views "Merkurius", "Venus", "Mars", "Jupiter", "Saturnus" and "Månen": a
// navy window with the body drawn as it stands in a telescope at the state's moment and site,
// with celestial north (or the zenith) up, and a text box with the position angles, the
// illuminated fraction, the diameters and the altitude. The six windows differ only in their
// body, placement, centre and text-box height.
#pragma once

#include <optional>

#include "planets/disk_view.h"
#include "shell/child_window.h"

class QLabel;
class QPlainTextEdit;

namespace himlavy {

class TPlanetDiskWindow : public TChildWindow {
  Q_OBJECT

 public:
  // `body` is Mercury, Venus, Mars, Jupiter, Saturn or the Moon.
  TPlanetDiskWindow(TBody body, TObsState& state, const std::filesystem::path& dataDir,
                    QWidget* parent = nullptr);

  TBody Body() const { return body_; }
  // The read-only text box with the view's lines.
  QPlainTextEdit* TextBox() const { return textBox_; }
  // "Zenit" or "Norr" under the text box.
  QLabel* OrientationLabel() const { return orientationLabel_; }
  // The centre of the drawing in the client area.
  QPoint Centre() const { return centre_; }
  // The view last drawn; nullopt when the planetary series could not be read.
  const std::optional<TDiskView>& View() const { return view_; }

 protected:
  void Recompute() override;

 private:
  TBody body_;
  QPoint centre_;
  QPlainTextEdit* textBox_ = nullptr;
  QLabel* orientationLabel_ = nullptr;
  std::optional<TDiskView> view_;
};

// The factory of the window of `body`, for RegisterWindowFactory.
TWindowFactory PlanetDiskWindowFactory(TBody body);

}  // namespace himlavy
