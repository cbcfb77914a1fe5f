// What the calendar, almanac and holidays windows share: their colour, their large labels and
// the hourglass while they compute.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>
#include <string_view>

#include "shell/fonts_draw.h"

namespace himlavy {

// The type of the large labels: "MS Sans Serif" with a font height of 19 pixels.
inline QFont LargeLabelFont() {
  return MakeFont(QStringLiteral("MS Sans Serif"), 19.0 * 72.0 / 96.0);
}

// A large label for a title: LargeLabelFont, plain text, named `name`, at `box` on `parent`.
inline QLabel* AddLargeLabel(QWidget* parent, const QString& name, const QRect& box) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFont(LargeLabelFont());
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(box);
  return label;
}

// A UTF-8 text as a QString.
inline QString Utf8Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows the hourglass for its lifetime.
class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace himlavy
