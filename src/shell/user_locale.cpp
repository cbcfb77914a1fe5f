#include "shell/user_locale.h"

#include <QLocale>
#include <QString>

namespace himlavy {

char LocaleDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point == QStringLiteral(",") ? ',' : '.';
}

}  // namespace himlavy
