#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace delist {

// The whole file, or nothing when it cannot be read.
inline QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace delist
