#include "shell/folder_decoration.hpp"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "shell/qt_text.hpp"

namespace delist {

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kHeaderSize = 54;
// The pixels are followed by two zero bytes of padding, as the usual writers of the format do.
constexpr int kTrailer = 2;

void put_u16(QByteArray& out, int at, quint16 v) {
    out[at] = static_cast<char>(v & 0xff);
    out[at + 1] = static_cast<char>(v >> 8);
}

void put_u32(QByteArray& out, int at, quint32 v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (8 * i) & 0xff);
}

bool write_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

}  // namespace

QByteArray decoration_bitmap() {
    const int row_bytes = kWidth * 3;  // a multiple of 4: no row padding
    const int image_size = row_bytes * kHeight + kTrailer;
    QByteArray bmp(kHeaderSize + image_size, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    put_u32(bmp, 2, static_cast<quint32>(bmp.size()));
    put_u32(bmp, 10, kHeaderSize);
    put_u32(bmp, 14, 40);
    put_u32(bmp, 18, kWidth);
    put_u32(bmp, 22, kHeight);
    put_u16(bmp, 26, 1);
    put_u16(bmp, 28, 24);
    put_u32(bmp, 34, static_cast<quint32>(image_size));
    put_u32(bmp, 38, 2835);  // 72 dpi
    put_u32(bmp, 42, 2835);
    // A quiet vertical gradient from pale blue at the top to white, stored bottom-up in BGR.
    for (int y = 0; y < kHeight; ++y) {
        const int from_top = kHeight - 1 - y;
        const int blue = 255;
        const int green = 236 + 19 * from_top / (kHeight - 1);
        const int red = 222 + 33 * from_top / (kHeight - 1);
        char* line = bmp.data() + kHeaderSize + y * row_bytes;
        for (int x = 0; x < kWidth; ++x) {
            line[3 * x] = static_cast<char>(blue);
            line[3 * x + 1] = static_cast<char>(green);
            line[3 * x + 2] = static_cast<char>(red);
        }
    }
    return bmp;
}

void write_folder_decoration(const QString& program_dir, const QString& data_dir) {
    const QString maker_dir = data_dir + QStringLiteral("/tovik/vosk");
    const QString bitmap_path = maker_dir + QStringLiteral("/mh.bmp");
    if (QDir().mkpath(maker_dir) && !QFile::exists(bitmap_path)) {
        write_file(bitmap_path, decoration_bitmap());
    }
    const QStringList lines = {
        QStringLiteral("[.ShellClassInfo]"),
        QStringLiteral("InfoTip=下架规划 宝贝下架时间安排工具"),
        QStringLiteral("IconFile=") + program_dir + QStringLiteral("/tovik.ico"),
        QStringLiteral("IconIndex=0"),
        QStringLiteral("[ExtShellFolderViews]"),
        QStringLiteral("[{BE098140-A513-11D0-A3A4-00C04FD706EC}]"),
        QStringLiteral("IconArea_Image=") + bitmap_path,
    };
    const Text ini = to_text(lines.join(QStringLiteral("\r\n")));
    write_file(program_dir + QStringLiteral("/desktop.ini"),
               QByteArray(ini.data(), static_cast<qsizetype>(ini.size())));
}

}  // namespace delist
