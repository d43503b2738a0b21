#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "analysis/precise.hpp"
#include "e2e_sim.hpp"
#include "market/settings.hpp"
#include "recording_boxes.hpp"
#include "shell/main_window.hpp"
#include "shell/qt_text.hpp"
#include "text/encoding.hpp"

namespace delist {
namespace {

class WindowReadTest : public ::testing::Test {
  protected:
    WindowReadTest() {
        window.set_message_boxes(std::make_unique<RecordingBoxes>(shown, true));
        window.set_paths({run.path(), run.path(), run.path()});
    }

    template <typename W>
    W* child(const QString& name) {
        W* w = window.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPushButton* read_button() { return child<QPushButton>(QStringLiteral("zedi读取数据按钮")); }

    // Types the entry, picks the page count and clicks "读取数据"; waits for the read's end.
    void read(const QString& entry, int page_index, bool gzip = false) {
        child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->setText(entry);
        child<QComboBox>(QStringLiteral("组合框1"))->setCurrentIndex(page_index);
        child<QCheckBox>(QStringLiteral("GZIP"))->setChecked(gzip);
        QSignalSpy finished(&window, &MainWindow::search_read_finished);
        read_button()->click();
        EXPECT_FALSE(read_button()->isEnabled());
        ASSERT_TRUE(finished.wait(120000));
        EXPECT_TRUE(read_button()->isEnabled());
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().text, QStringLiteral("数据读取完成!"));
        EXPECT_EQ(shown.back().title, QStringLiteral("提醒"));
        EXPECT_EQ(shown.back().icon, MessageBoxes::Icon::Information);
    }

    TextList row_ids() const {
        TextList ids;
        for (const ItemRow& row : window.rows()) ids.push_back(row.item_id);
        return ids;
    }
    static TextList keyword_ids(const QString& keyword, int count) {
        const auto all = e2e_sim().catalog().keyword_ids(to_text(keyword));
        return TextList(all.begin(), all.begin() + count);
    }
    QString progress_line() { return child<QLabel>(QStringLiteral("read_progress"))->text(); }

    QTemporaryDir run;
    std::vector<ShownBox> shown;
    MainWindow window;
};

TEST_F(WindowReadTest, KeywordReadFillsCompleteRowsAndTwoReadsAppend) {
    read(QStringLiteral("连衣裙"), 1);
    ASSERT_EQ(row_ids(), keyword_ids(QStringLiteral("连衣裙"), 120));
    EXPECT_EQ(window.search_caption(), to_text(QStringLiteral("搜索关键词为: 连衣裙")));
    const ItemRow& first = window.rows().front();
    const auto item = e2e_sim().catalog().item(first.item_id);
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(first.row_no, "1");
    EXPECT_EQ(first.title, item->title);
    EXPECT_EQ(first.nick, e2e_sim().catalog().seller(item->seller).nick);
    EXPECT_EQ(first.sales, std::to_string(item->sales));
    EXPECT_EQ(first.delist_time, item->delist_time);
    EXPECT_FALSE(first.level.empty());
    EXPECT_FALSE(first.time_left.empty());

    // A second read appends, numbering on.
    read(QStringLiteral("衬衫"), 0, true);
    ASSERT_EQ(window.rows().size(), 200u);
    EXPECT_EQ(window.rows()[120].row_no, "121");
    EXPECT_EQ(window.rows()[120].item_id, keyword_ids(QStringLiteral("衬衫"), 1)[0]);
    EXPECT_EQ(window.rows().back().row_no, "200");
}

TEST_F(WindowReadTest, LinkReadFollowsThePagerAndCaptionsWithoutPrefix) {
    const Text link = "http://" + market_settings().search_host +
                      "/search?q=" + url_encode(to_text(QStringLiteral("毛衣"))) + "&s=0";
    read(to_qstring(link), 0);
    EXPECT_EQ(row_ids(), keyword_ids(QStringLiteral("毛衣"), 80));
    EXPECT_EQ(window.search_caption(), to_text(QStringLiteral("毛衣")));
}

TEST_F(WindowReadTest, EntriesThatFindNothingStillComplete) {
    // A slash makes any entry a link, read unchanged; it names no page here.
    read(QStringLiteral("T恤/短袖"), 0);
    EXPECT_TRUE(window.rows().empty());
    EXPECT_EQ(window.search_caption(), "");
}

TEST_F(WindowReadTest, EmptyEntryAsksForOneAndStartsNothing) {
    child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->clear();
    read_button()->click();
    EXPECT_TRUE(read_button()->isEnabled());
    EXPECT_FALSE(window.search_read_running());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("请输入关键词或者搜索链接!"));
    EXPECT_EQ(shown[0].title, QStringLiteral("错误"));
    EXPECT_EQ(shown[0].icon, MessageBoxes::Icon::Error);
}

TEST_F(WindowReadTest, BatchesThatDoNotLineUpAreLeftOutAndCounted) {
    read(QStringLiteral("缺货"), 0);
    // Positions 7 and 57 are withheld: batches 1 and 3 of 20 are left out, 2 and 4 complete.
    const TextList all = keyword_ids(QStringLiteral("缺货"), 80);
    TextList expected(all.begin() + 20, all.begin() + 40);
    expected.insert(expected.end(), all.begin() + 60, all.end());
    EXPECT_EQ(row_ids(), expected);
    EXPECT_TRUE(progress_line().contains(QStringLiteral("40 个宝贝未能补全")))
        << progress_line().toStdString();
}

TEST_F(WindowReadTest, PagesWithoutIdsUseTheLinkForm) {
    read(QStringLiteral("无货"), 0);
    EXPECT_EQ(row_ids(), keyword_ids(QStringLiteral("无货"), 80));
}

// The own item: one of the read's items, so its sales are known.
TEST_F(WindowReadTest, PreciseAnalysisMarksTheFilledGrid) {
    read(QStringLiteral("连衣裙"), 0);
    window.run_analysis_menu(0);
    const ItemRow own = window.rows()[3];
    const auto item = e2e_sim().catalog().item(own.item_id);
    ASSERT_TRUE(item.has_value());
    // With 0 % the danger line is the own sales: below green, equal yellow, above red.
    const int sales = item->sales;
    const struct {
        int row, column;
        Text text;
        int icon;
    } seeded[] = {
        {0, 1, std::to_string(sales - 1), kIconGreenCheck},
        {0, 2, std::to_string(sales), kIconYellowWarning},
        {0, 3, std::to_string(sales + 1), kIconRedWarning},
        {0, 4, "", kIconNone},
    };
    window.update_grid(0, [&](Grid& g) {
        for (const auto& s : seeded) g.set_cell_text(s.row, s.column, s.text);
    });
    const Grid before = window.grid(0);

    child<QLineEdit>(QStringLiteral("相差配额"))->setText(QStringLiteral("0"));
    child<QLineEdit>(QStringLiteral("自己销量"))
        ->setText(QStringLiteral("http://item.taobao.com/item.htm?id=") + to_qstring(own.item_id) +
                  QStringLiteral("&spm=1"));
    QSignalSpy done(&window, &MainWindow::precise_analysis_finished);
    QPushButton* analyse = child<QPushButton>(QStringLiteral("按钮3"));
    analyse->click();
    EXPECT_FALSE(analyse->isEnabled());
    ASSERT_TRUE(done.wait(60000));
    EXPECT_TRUE(analyse->isEnabled());

    const QString first = child<QLabel>(QStringLiteral("标签10"))->text();
    EXPECT_EQ(first, QStringLiteral("亲爱的 ") + to_qstring(own.nick) +
                         QStringLiteral(" 您好! 您此款宝贝的销量为 ") + to_qstring(own.sales) +
                         QStringLiteral(" 件  您的宝贝是在 ") + to_qstring(own.list_time) +
                         QStringLiteral(" 上架的"));
    EXPECT_TRUE(child<QLabel>(QStringLiteral("标签11"))
                    ->text()
                    .startsWith(QStringLiteral("您的宝贝的下架时间为: ") +
                                to_qstring(own.delist_time) + QStringLiteral("  离现在还剩:")));

    for (const auto& s : seeded) {
        EXPECT_EQ(window.grid(0).cell_icon(s.row, s.column), s.icon) << s.row << "," << s.column;
    }
    // Every filled date cell is marked, no text changes, and the frame stays unmarked.
    for (int r = 0; r < Grid::kRows; ++r) {
        for (int c = 0; c < Grid::kColumns; ++c) {
            EXPECT_EQ(window.grid(0).cell_text(r, c), before.cell_text(r, c));
            const bool date_cell = r < 24 && c >= 1 && c <= 7;
            const bool filled = !before.cell_text(r, c).empty();
            EXPECT_EQ(window.grid(0).cell_icon(r, c) != kIconNone, date_cell && filled)
                << r << "," << c;
        }
    }
}

TEST_F(WindowReadTest, PreciseAnalysisChecksTheLinkAndSurvivesAFailedLookUp) {
    QLineEdit* link = child<QLineEdit>(QStringLiteral("自己销量1"));
    link->setText(QStringLiteral("http://item.taobao.COM/item.htm?id=1"));
    child<QPushButton>(QStringLiteral("按钮1"))->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("请正确输入您的宝贝地址"));
    EXPECT_EQ(shown[0].title, QStringLiteral("信息："));
    EXPECT_EQ(shown[0].icon, MessageBoxes::Icon::None);

    // An id the marketplace does not know: empty details and sales 0, so every filled cell
    // above 0 is red and a 0 equals the own sales (yellow).
    window.update_grid(1, [](Grid& g) {
        g.set_cell_text(0, 1, "5");
        g.set_cell_text(3, 7, "0");
    });
    link->setText(QStringLiteral("http://item.taobao.com/item.htm?id=100000000002"));
    QSignalSpy done(&window, &MainWindow::precise_analysis_finished);
    child<QPushButton>(QStringLiteral("按钮1"))->click();
    ASSERT_TRUE(done.wait(60000));
    EXPECT_EQ(child<QLabel>(QStringLiteral("标签3"))->text(),
              QStringLiteral("亲爱的  您好! 您此款宝贝的销量为  件  您的宝贝是在  上架的"));
    EXPECT_EQ(window.grid(1).cell_icon(0, 1), kIconRedWarning);
    EXPECT_EQ(window.grid(1).cell_icon(3, 7), kIconYellowWarning);
}

TEST(WindowCloseTest, ClosingDuringAReadEndsItCleanly) {
    std::vector<ShownBox> shown;
    auto window = std::make_unique<MainWindow>();
    window->set_message_boxes(std::make_unique<RecordingBoxes>(shown, true));
    window->findChild<QLineEdit*>(QStringLiteral("zedi链接编辑框"))
        ->setText(QStringLiteral("裤子"));
    window->findChild<QComboBox*>(QStringLiteral("组合框1"))->setCurrentIndex(4);
    window->findChild<QPushButton*>(QStringLiteral("zedi读取数据按钮"))->click();
    // Wait for the first rows, then answer Yes to the close question.
    for (int i = 0; i < 600 && window->rows().empty(); ++i) QTest::qWait(10);
    EXPECT_TRUE(window->search_read_running());
    QSignalSpy confirmed(window.get(), &MainWindow::close_confirmed);
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(confirmed.count(), 1);
    window.reset();
    // Nothing of the read reaches the destroyed window.
    QTest::qWait(200);
}

}  // namespace
}  // namespace delist
