#include "shell/help_page.hpp"

#include <QDir>
#include <QFile>

#include "shell/qt_text.hpp"
#include "shell/shell_resources.hpp"

namespace delist {

namespace {

QString help_file_name() {
    return QStringLiteral("/说明.html");
}

bool write_whole(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

QByteArray help_page() {
    ensure_shell_resources();
    QFile file(QStringLiteral(":/help/help_page.html"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString help_picture_dir() {
    ensure_shell_resources();
    return QStringLiteral(":/help");
}

QString write_help_page(const QString& run_dir, const QString& fallback_dir) {
    const QByteArray page = help_page();
    const QString path = run_dir + help_file_name();
    if (write_whole(path, page)) return path;
    const QString fallback = fallback_dir + help_file_name();
    if (QDir().mkpath(fallback_dir) && write_whole(fallback, page)) return fallback;
    return {};
}

QString gbk_document(const QByteArray& gbk) {
    Text text(gbk.begin(), gbk.end());
    std::erase(text, '\0');
    return to_qstring(text);
}

}  // namespace delist
