#pragma once
// The help page: a GBK HTML document carried in the program, written out as "说明.html" on every
// visit of the help tab and shown from the written file.

#include <QByteArray>
#include <QString>

namespace delist {

// The page's GBK bytes.
QByteArray help_page();
// Search path of the page's pictures.
QString help_picture_dir();

// Writes the page to run_dir + "/说明.html"; when that cannot be written, to fallback_dir (made
// when missing) instead. The path written, or empty when neither could be.
QString write_help_page(const QString& run_dir, const QString& fallback_dir);

// A GBK document as a string the HTML view can take.
QString gbk_document(const QByteArray& gbk);

}  // namespace delist
