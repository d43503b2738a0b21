#pragma once
// The one crossing between the system's GBK texts and Qt's strings.

#include <QString>

#include "text/text.hpp"

namespace delist {

QString to_qstring(const Text& text);
// Zero characters are dropped, since a Text never holds a zero byte.
Text to_text(const QString& string);

}  // namespace delist
