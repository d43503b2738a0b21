#include "shell/qt_text.hpp"

#include <algorithm>

#include "text/encoding.hpp"

namespace delist {

QString to_qstring(const Text& text) {
    const Bytes utf8 = text_to_utf8(text);
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()),
                             static_cast<qsizetype>(utf8.size()));
}

Text to_text(const QString& string) {
    const QByteArray utf8 = string.toUtf8();
    Bytes gbk = utf8_bytes_to_gbk(Bytes(utf8.begin(), utf8.end()));
    gbk.erase(std::remove(gbk.begin(), gbk.end(), std::uint8_t{0}), gbk.end());
    return Text(gbk.begin(), gbk.end());
}

}  // namespace delist
