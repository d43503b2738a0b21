#include "shell/folder_decoration.hpp"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "read_file.hpp"
#include "shell/qt_text.hpp"

namespace delist {
namespace {

quint32 u32_at(const QByteArray& b, int at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<quint8>(b[at + i]);
    return v;
}

TEST(DecorationBitmap, IsA1024By768TwentyFourBitBitmap) {
    const QByteArray bmp = decoration_bitmap();
    ASSERT_EQ(bmp.size(), 2359352);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(u32_at(bmp, 2), 2359352u);
    EXPECT_EQ(u32_at(bmp, 10), 54u);
    EXPECT_EQ(u32_at(bmp, 14), 40u);
    EXPECT_EQ(u32_at(bmp, 18), 1024u);
    EXPECT_EQ(u32_at(bmp, 22), 768u);
    EXPECT_EQ(u32_at(bmp, 26) & 0xffff, 1u);   // planes
    EXPECT_EQ(u32_at(bmp, 28) & 0xffff, 24u);  // bits per pixel
    EXPECT_EQ(u32_at(bmp, 30), 0u);            // uncompressed
}

TEST(FolderDecoration, WritesBitmapOnceAndTheIniEveryTime) {
    QTemporaryDir program;
    QTemporaryDir data;
    const QString bitmap = data.path() + "/tovik/vosk/mh.bmp";
    const QString ini = program.path() + "/desktop.ini";

    write_folder_decoration(program.path(), data.path());
    EXPECT_EQ(read_all(bitmap), decoration_bitmap());
    const QByteArray first = read_all(ini);
    const QList<QByteArray> lines = first.split('\n');
    ASSERT_EQ(lines.size(), 7);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    EXPECT_FALSE(first.endsWith('\n'));
    EXPECT_FALSE(first.endsWith('\r'));
    EXPECT_EQ(lines[0], "[.ShellClassInfo]\r");
    // The file is GBK like every text of the program.
    const QString tip = to_qstring(Text(lines[1].constData(), lines[1].size() - 1));
    EXPECT_TRUE(tip.startsWith(QStringLiteral("InfoTip=下架规划"))) << tip.toStdString();
    EXPECT_EQ(lines[2], "IconFile=" + QFile::encodeName(program.path()) + "/tovik.ico\r");
    EXPECT_EQ(lines[3], "IconIndex=0\r");
    EXPECT_EQ(lines[4], "[ExtShellFolderViews]\r");
    EXPECT_EQ(lines[5], "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r");
    EXPECT_EQ(lines[6], "IconArea_Image=" + QFile::encodeName(bitmap));

    // A second start keeps the bitmap that is there and writes desktop.ini anew.
    {
        QFile marked(bitmap);
        ASSERT_TRUE(marked.open(QIODevice::WriteOnly));
        marked.write("kept");
        QFile edited(ini);
        ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
        edited.write("edited by hand");
    }
    write_folder_decoration(program.path(), data.path());
    EXPECT_EQ(read_all(bitmap), "kept");
    EXPECT_EQ(read_all(ini), first);
}

TEST(FolderDecoration, FailuresAreIgnored) {
    QTemporaryDir program;
    QTemporaryDir data;
    // A file where the maker's folder should go: no folder, no bitmap, still the ini.
    {
        QFile blocker(data.path() + "/tovik");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    write_folder_decoration(program.path(), data.path());
    EXPECT_FALSE(QFile::exists(data.path() + "/tovik/vosk/mh.bmp"));
    EXPECT_TRUE(QFile::exists(program.path() + "/desktop.ini"));
    // An unwritable program folder is ignored as well.
    write_folder_decoration(data.path() + "/tovik/no-such", data.path());
}

}  // namespace
}  // namespace delist
