#include "shell/notice.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <mutex>
#include <thread>

#include "recording_boxes.hpp"
#include "shell/main_window.hpp"
#include "shell/qt_text.hpp"

namespace delist {
namespace {

struct ParseCase {
    const char* name;
    QString file;
    QString notice;
    QString status;
};

class ParseNotice : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNotice, CutsNoticeAndStatusBetweenTheirMarkers) {
    const Notice n = parse_notice(to_text(GetParam().file));
    EXPECT_EQ(to_qstring(n.notice), GetParam().notice);
    EXPECT_EQ(to_qstring(n.status), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ParseNotice,
    ::testing::Values(
        ParseCase{"Both",
                  QStringLiteral("////广告开始\r\n广告=新品上市&\r\n////广告结束\r\n"
                                 "////开始\r\n状态=广告&\r\n////结束\r\n"),
                  QStringLiteral("新品上市"), QStringLiteral("广告")},
        ParseCase{
            "StatusBlockFirst",
            QStringLiteral("////开始\n状态=更新&\n////结束\n////广告开始\n广告=x&\n////广告结束"),
            QStringLiteral("x"), QStringLiteral("更新")},
        ParseCase{
            "KeysOutsideTheirBlocksDoNotCount",
            QStringLiteral("广告=外面& 状态=更新& ////广告开始 无 ////广告结束 ////开始 ////结束"),
            QString(), QString()},
        ParseCase{"Empty", QString(), QString(), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

// A loopback server for the notice file, whose body each test sets.
class NoticeFetch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = new httplib::Server;
        server_->Get("/notice.txt", [](const httplib::Request&, httplib::Response& res) {
            std::lock_guard lock(body_mutex_);
            if (missing_) {
                res.status = 404;
                return;
            }
            res.set_content(body_, "text/plain");
        });
        port_ = server_->bind_to_any_port("127.0.0.1");
        thread_ = new std::thread([] { server_->listen_after_bind(); });
        const QByteArray url = "http://127.0.0.1:" + QByteArray::number(port_) + "/notice.txt";
        qputenv("DELIST_NOTICE_URL", url);
    }
    static void TearDownTestSuite() {
        server_->stop();
        thread_->join();
        delete thread_;
        delete server_;
    }

    void serve(const QString& file, bool missing = false) {
        std::lock_guard lock(body_mutex_);
        body_ = to_text(file);
        missing_ = missing;
    }

    // Starts the fetch and waits, bounded, for its outcome.
    void fetch(MainWindow& window) {
        QSignalSpy handled(&window, &MainWindow::notice_handled);
        window.fetch_notice();
        ASSERT_TRUE(handled.wait(10000));
    }

    static inline httplib::Server* server_ = nullptr;
    static inline std::thread* thread_ = nullptr;
    static inline int port_ = 0;
    static inline std::mutex body_mutex_;
    static inline Text body_;
    static inline bool missing_ = false;
};

QString notice_file(const QString& notice, const QString& status) {
    return QStringLiteral("////广告开始\r\n广告=") + notice +
           QStringLiteral("&\r\n////广告结束\r\n////开始\r\n状态=") + status +
           QStringLiteral("&\r\n////结束\r\n");
}

TEST_F(NoticeFetch, AdvertShowsTheNoticeInAnInformationBox) {
    std::vector<ShownBox> shown;
    std::vector<QUrl> opened;
    MainWindow window;
    window.set_message_boxes(std::make_unique<RecordingBoxes>(shown, true));
    window.set_url_opener([&](const QUrl& url) { opened.push_back(url); });
    serve(notice_file(QStringLiteral("夏季大促 全场八折"), QStringLiteral("广告")));
    fetch(window);
    auto* label = window.findChild<QLabel*>(QStringLiteral("标签23"));
    EXPECT_EQ(label->text(), QStringLiteral("夏季大促 全场八折"));
    EXPECT_TRUE(label->isHidden());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("夏季大促 全场八折"));
    EXPECT_EQ(shown[0].title, QStringLiteral("提示"));
    EXPECT_EQ(shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_FALSE(shown[0].yes_no);
    EXPECT_TRUE(opened.empty());
}

TEST_F(NoticeFetch, UpdateOpensTheDownloadPageOnlyOnYes) {
    serve(notice_file(QStringLiteral("x"), QStringLiteral("更新")));
    for (const bool yes : {true, false}) {
        std::vector<ShownBox> shown;
        std::vector<QUrl> opened;
        MainWindow window;
        window.set_message_boxes(std::make_unique<RecordingBoxes>(shown, yes));
        window.set_url_opener([&](const QUrl& url) { opened.push_back(url); });
        fetch(window);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, QStringLiteral("发现新版本.是否免费获取最新版本？"));
        EXPECT_EQ(shown[0].title, QStringLiteral("更新询问"));
        EXPECT_TRUE(shown[0].yes_no);
        ASSERT_EQ(opened.size(), yes ? 1u : 0u);
        if (yes) {
            EXPECT_EQ(opened[0].scheme(), "http");
            EXPECT_EQ(opened[0].port(), port_);
        }
    }
}

TEST_F(NoticeFetch, OtherStatusesAndMissingFilesShowNothing) {
    struct Case {
        QString file;
        bool missing;
    };
    const std::vector<Case> cases = {
        {notice_file(QStringLiteral("n"), QStringLiteral("真")), false},
        {notice_file(QStringLiteral("n"), QString()), false},
        {QStringLiteral("no markers at all"), false},
        {QString(), true},
    };
    for (const Case& c : cases) {
        std::vector<ShownBox> shown;
        std::vector<QUrl> opened;
        MainWindow window;
        window.set_message_boxes(std::make_unique<RecordingBoxes>(shown, true));
        window.set_url_opener([&](const QUrl& url) { opened.push_back(url); });
        serve(c.file, c.missing);
        fetch(window);
        EXPECT_TRUE(shown.empty()) << c.file.toStdString();
        EXPECT_TRUE(opened.empty());
    }
}

TEST_F(NoticeFetch, WindowGoneBeforeTheAnswerIsHarmless) {
    serve(notice_file(QStringLiteral("n"), QStringLiteral("广告")));
    {
        MainWindow window;
        window.fetch_notice();
    }
    QTest::qWait(300);
}

}  // namespace
}  // namespace delist
