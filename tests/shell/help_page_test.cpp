#include "shell/help_page.hpp"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "read_file.hpp"

namespace delist {
namespace {

TEST(HelpPage, IsAGbkHtmlDocumentWithItsPictures) {
    const QByteArray page = help_page();
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01"));
    EXPECT_TRUE(page.contains("charset=gbk"));
    const QString text = gbk_document(page);
    EXPECT_TRUE(text.contains(QStringLiteral("为什么要安排宝贝的下架时间")));
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    for (const char* picture : {"help_ranking.png", "help_hours.png"}) {
        EXPECT_TRUE(page.contains(picture)) << picture;
        EXPECT_TRUE(QFile::exists(help_picture_dir() + "/" + picture)) << picture;
    }
}

TEST(HelpPage, WrittenIntoTheRunDirectoryReplacingAnEditedCopy) {
    QTemporaryDir run;
    QTemporaryDir fallback;
    const QString path = run.path() + QStringLiteral("/说明.html");
    {
        QFile edited(path);
        ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
        edited.write("edited by hand, and longer than nothing at all");
    }
    EXPECT_EQ(write_help_page(run.path(), fallback.path()), path);
    EXPECT_EQ(read_all(path), help_page());
    EXPECT_FALSE(QFile::exists(fallback.path() + QStringLiteral("/说明.html")));
}

TEST(HelpPage, FallsBackWhenTheRunDirectoryCannotBeWritten) {
    QTemporaryDir base;
    {
        QFile blocker(base.path() + "/not-a-folder");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    const QString run = base.path() + "/not-a-folder";
    const QString fallback = base.path() + "/data/app";
    const QString written = write_help_page(run, fallback);
    EXPECT_EQ(written, fallback + QStringLiteral("/说明.html"));
    EXPECT_EQ(read_all(written), help_page());
    // Neither can be written: nothing is claimed.
    EXPECT_EQ(write_help_page(run, run + "/below"), QString());
}

}  // namespace
}  // namespace delist
