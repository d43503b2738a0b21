#include "shell/main_window.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "analysis/grid.hpp"
#include "market/settings.hpp"
#include "recording_boxes.hpp"
#include "shell/help_page.hpp"
#include "shell/qt_text.hpp"

namespace delist {
namespace {

// The clock of the fills: 1 June 2026, 10:00.
const DateTime kNow{2026, 6, 1, 10, 0, 0};

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        window.set_message_boxes(std::make_unique<RecordingBoxes>(shown));
        window.set_url_opener([this](const QUrl& url) { opened.push_back(url); });
        window.set_clock([] { return kNow; });
        window.set_paths({run.path(), data.path(), fallback.path()});
    }

    template <typename W>
    W* child(const QString& name) {
        W* w = window.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QTabWidget* tabs() { return child<QTabWidget>(QStringLiteral("高级选择夹1")); }
    QAction* action(const QString& menu, const QString& text) {
        for (QAction* a : child<QMenu>(menu)->actions()) {
            if (a->text() == text) return a;
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    QString cell(int list, int row, int column) {
        return to_qstring(window.grid(list).cell_text(row, column));
    }

    QTemporaryDir run, data, fallback;
    std::vector<ShownBox> shown;
    std::vector<QUrl> opened;
    MainWindow window;
};

ItemRow item(const QString& title, const QString& nick, const QString& level,
             const QString& delist_time, const QString& price, const QString& sales,
             const QString& id) {
    ItemRow r;
    r.title = to_text(title);
    r.nick = to_text(nick);
    r.level = to_text(level);
    r.list_time = to_text(QStringLiteral("2026-05-25 10:00:00"));
    r.delist_time = to_text(delist_time);
    r.time_left = to_text(QStringLiteral("1天0时0分0秒"));
    r.price = to_text(price);
    r.sales = to_text(sales);
    r.item_id = to_text(id);
    return r;
}

// Two items in one cell (today 00:30 -> row 23, column 1), one on 3 June 13:10, one a week ahead.
ItemRows sample_rows() {
    return {item(QStringLiteral("手机壳 透明"), QStringLiteral("小店"), QStringLiteral("三钻"),
                 QStringLiteral("2026-06-01 00:30:00"), QStringLiteral("12.50"),
                 QStringLiteral("35"), QStringLiteral("1001")),
            item(QStringLiteral("手机壳 磨砂"), QStringLiteral("某某旗舰店"),
                 QStringLiteral("五金冠"), QStringLiteral("2026-06-01 00:59:59"),
                 QStringLiteral("19.90"), QStringLiteral("120"), QStringLiteral("1002")),
            item(QStringLiteral("手机壳 卡通"), QStringLiteral("大卖家"), QStringLiteral("二皇冠"),
                 QStringLiteral("2026-06-03 13:10:00"), QStringLiteral("9.90"),
                 QStringLiteral("88"), QStringLiteral("1003")),
            item(QStringLiteral("手机壳 远"), QStringLiteral("远方"), QStringLiteral("一心"),
                 QStringLiteral("2026-06-08 13:10:00"), QStringLiteral("1.00"),
                 QStringLiteral("999"), QStringLiteral("1004"))};
}

TEST_F(WindowTest, DesignState) {
    window.show();
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("下架规划 1.0 宝贝下架时间安排 避开与同行热销宝贝同时下架"));
    EXPECT_EQ(window.geometry(), QRect(50, 50, 748, 658));
    ASSERT_EQ(tabs()->count(), 6);
    const QStringList pages = {QStringLiteral("直观数据"),  QStringLiteral("数据处理1"),
                               QStringLiteral("数据处理2"), QStringLiteral("数据处理3"),
                               QStringLiteral("配置"),      QStringLiteral("说明")};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(tabs()->tabText(i), pages[i]);
    EXPECT_EQ(tabs()->currentIndex(), 0);

    auto* pages_box = child<QComboBox>(QStringLiteral("组合框1"));
    EXPECT_EQ(pages_box->currentText(), QStringLiteral("读取2页"));
    EXPECT_EQ(pages_box->count(), 5);
    EXPECT_EQ(pages_box->itemText(4), QStringLiteral("读取6页"));
    EXPECT_FALSE(pages_box->isEditable());
    EXPECT_FALSE(child<QCheckBox>(QStringLiteral("GZIP"))->isChecked());
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("相差配额"))->text(), QStringLiteral("20"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("标签7"))->text(), QStringLiteral("%  算中度危险"));
    EXPECT_TRUE(child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->text().isEmpty());
    EXPECT_TRUE(child<QPushButton>(QStringLiteral("zedi读取数据按钮"))->isEnabled());
    EXPECT_TRUE(child<QLabel>(QStringLiteral("标签23"))->isHidden());
    EXPECT_FALSE(child<QLabel>(QStringLiteral("标签21"))->text().isEmpty());

    // Three exclusive groups of three, nothing chosen.
    for (int group = 0; group < 3; ++group) {
        QButtonGroup* first = nullptr;
        for (int i = 1; i <= 3; ++i) {
            auto* radio = child<QRadioButton>(QStringLiteral("单选框%1").arg(group * 3 + i));
            EXPECT_FALSE(radio->isChecked());
            ASSERT_NE(radio->group(), nullptr);
            if (!first) first = radio->group();
            EXPECT_EQ(radio->group(), first);
        }
        EXPECT_TRUE(first->exclusive());
        EXPECT_EQ(first->buttons().size(), 3);
    }

    auto* list = child<QTableView>(QStringLiteral("zedi数据列表框"));
    EXPECT_EQ(list->model()->rowCount(), 0);
    ASSERT_EQ(list->model()->columnCount(), 10);
    const QStringList titles = {"id",       "宝贝标题", "掌柜名称", "等级", "上架日期",
                                "下架日期", "下架时间", "价格",     "销量", "id"};
    const std::vector<int> widths = {30, 80, 65, 50, 130, 130, 110, 60, 50, 0};
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        EXPECT_EQ(list->horizontalHeader()->sectionSize(c), widths[static_cast<std::size_t>(c)])
            << c;
    }
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(list->showGrid());
}

TEST_F(WindowTest, AnalysisListsShowAllTwentyFiveRowsWithoutScrolling) {
    window.show();
    const std::vector<std::vector<int>> widths = {{100, 70, 80, 80, 80, 80, 80, 70, 70},
                                                  {90, 70, 80, 80, 80, 80, 80, 80, 70},
                                                  {90, 70, 80, 80, 80, 80, 80, 80, 70}};
    for (int list = 0; list < 3; ++list) {
        tabs()->setCurrentIndex(list + 1);
        QTest::qWait(0);
        auto* view = child<QTableView>(QStringLiteral("zedi分析列表框%1").arg(list + 1));
        const QAbstractItemModel* model = view->model();
        ASSERT_EQ(model->rowCount(), 25);
        ASSERT_EQ(model->columnCount(), 9);
        EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("凌晨1点"));
        EXPECT_EQ(model->index(11, 0).data().toString(), QStringLiteral("中午12点"));
        EXPECT_EQ(model->index(23, 0).data().toString(), QStringLiteral("午夜0点"));
        EXPECT_EQ(model->index(24, 0).data().toString(), QStringLiteral("总计"));
        EXPECT_TRUE(model->index(5, 3).data().toString().isEmpty());
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QString());
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("1"));
        EXPECT_EQ(model->headerData(7, Qt::Horizontal).toString(), QStringLiteral("7"));
        EXPECT_EQ(model->headerData(8, Qt::Horizontal).toString(), QStringLiteral("总计"));
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(view->horizontalHeader()->sectionSize(c),
                      widths[static_cast<std::size_t>(list)][static_cast<std::size_t>(c)]);
        }
        // The last row ends inside the viewport, the last column too.
        const QRect last = view->visualRect(model->index(24, 8));
        EXPECT_LE(last.bottom(), view->viewport()->height()) << list;
        EXPECT_LE(last.right(), view->viewport()->width()) << list;
        EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    }
}

TEST_F(WindowTest, ControlsSitAtTheirDesignPlaceInsideTheTabControl) {
    window.show();
    EXPECT_EQ(tabs()->geometry(), QRect(4, 5, 740, 618));
    struct Place {
        const char16_t* name;
        QRect design;
    };
    const std::vector<Place> places = {
        {u"标签1", {8, 35, 148, 16}},
        {u"zedi链接编辑框", {160, 31, 284, 23}},
        {u"zedi数据列表框", {5, 61, 718, 550}},
        {u"按钮1", {488, 26, 57, 27}},
        {u"zedi分析列表框3", {13, 85, 719, 456}},
        {u"标签15", {6, 588, 710, 22}},
        {u"标签23", {188, 243, 520, 24}},
        {u"GZIP", {118, 136, 472, 16}},
        {u"标签21", {24, 176, 648, 355}},
        {u"超文本浏览框1", {5, 29, 720, 566}},
    };
    for (const Place& p : places) {
        const QString name = QString::fromUtf16(p.name);
        auto* w = window.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        EXPECT_EQ(QRect(w->mapTo(tabs(), QPoint(0, 0)), w->size()), p.design) << name.toStdString();
    }
}

TEST_F(WindowTest, AppendedRowsAreNumberedAcrossReads) {
    ItemRows rows = sample_rows();
    rows[0].row_no = "77";
    window.append_rows({rows[0], rows[1]});
    window.append_rows({rows[2]});
    ASSERT_EQ(window.rows().size(), 3u);
    EXPECT_EQ(window.rows()[0].row_no, "1");
    EXPECT_EQ(window.rows()[2].row_no, "3");
    auto* list = child<QTableView>(QStringLiteral("zedi数据列表框"));
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->index(2, 0).data().toString(), QStringLiteral("3"));
    EXPECT_EQ(list->model()->index(1, 1).data().toString(), QStringLiteral("手机壳 磨砂"));
    EXPECT_EQ(list->model()->index(2, 9).data().toString(), QStringLiteral("1003"));
    EXPECT_EQ(list->horizontalHeader()->sectionSize(9), 0);
}

TEST_F(WindowTest, MenusOpenAtThePointerOnRightClickAndButton) {
    window.show();
    QTest::qWait(0);
    auto* list = child<QTableView>(QStringLiteral("zedi数据列表框"));
    auto* data_menu = child<QMenu>(QStringLiteral("菜单"));
    // A right click on an empty list, and on its header, opens the menu at the pointer.
    for (QWidget* where : {list->viewport(), list->horizontalHeader()->viewport()}) {
        const QPoint at(100, where == list->viewport() ? 200 : 5);
        QCursor::setPos(where->mapToGlobal(at));
        QContextMenuEvent right_click(QContextMenuEvent::Mouse, at, where->mapToGlobal(at));
        QApplication::sendEvent(where, &right_click);
        EXPECT_TRUE(data_menu->isVisible());
        EXPECT_EQ(data_menu->pos(), QCursor::pos() + QPoint(3, 3));
        data_menu->close();
    }

    auto* processing_menu = child<QMenu>(QStringLiteral("zedi菜单"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("zedi分析按钮")), Qt::LeftButton);
    EXPECT_TRUE(processing_menu->isVisible());
    processing_menu->close();
    QStringList items;
    for (QAction* a : processing_menu->actions()) items << a->text();
    EXPECT_EQ(items, QStringList({"数据分析1", "数据分析2", "数据分析3"}));
    EXPECT_EQ(list->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(WindowTest, OpenItemPageUsesTheSelectedRowsId) {
    auto* list = child<QTableView>(QStringLiteral("zedi数据列表框"));
    QAction* open = action(QStringLiteral("菜单"), QStringLiteral("打开宝贝地址"));
    open->trigger();  // empty list
    EXPECT_TRUE(opened.empty());

    ItemRows rows = sample_rows();
    rows[1].item_id.clear();
    window.append_rows(rows);
    open->trigger();  // nothing selected
    EXPECT_TRUE(opened.empty());
    list->selectRow(1);  // empty id
    open->trigger();
    EXPECT_TRUE(opened.empty());

    list->selectRow(2);
    open->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(),
              "http://" + to_qstring(market_settings().item_host) + "/item.htm?id=1003");
    EXPECT_EQ(opened[0].query(), QStringLiteral("id=1003"));
}

TEST_F(WindowTest, ClearListEmptiesRowsAndLinkBoxOnly) {
    window.append_rows(sample_rows());
    window.set_search_caption(to_text(QStringLiteral("手机壳")));
    window.update_grid(1, [](Grid& g) { g.set_cell_text(3, 3, "5"); });
    child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->setText(QStringLiteral("手机壳"));
    child<QLineEdit>(QStringLiteral("自己销量"))->setText(QStringLiteral("http://x.com/?id=1"));

    action(QStringLiteral("菜单"), QStringLiteral("清空列表"))->trigger();
    EXPECT_TRUE(window.rows().empty());
    EXPECT_EQ(child<QTableView>(QStringLiteral("zedi数据列表框"))->model()->rowCount(), 0);
    EXPECT_TRUE(child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("自己销量"))->text(),
              QStringLiteral("http://x.com/?id=1"));
    EXPECT_EQ(window.grid(1).cell_text(3, 3), "5");
    EXPECT_EQ(to_qstring(window.search_caption()), QStringLiteral("手机壳"));

    // Numbering starts again after a clear.
    window.append_rows({sample_rows()[0]});
    EXPECT_EQ(window.rows()[0].row_no, "1");
}

TEST_F(WindowTest, ClearButtonResetsOnlyItsOwnList) {
    window.append_rows(sample_rows());
    for (int list = 0; list < 3; ++list) {
        window.update_grid(list, [](Grid& g) {
            g.set_column_title(2, "6-2");
            g.set_cell_text(4, 2, "9");
            g.set_cell_icon(4, 2, kIconTmall);
        });
    }
    const Grid filled = window.grid(0);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("按钮2")), Qt::LeftButton);
    EXPECT_EQ(window.grid(1), Grid());
    EXPECT_EQ(window.grid(0), filled);
    EXPECT_EQ(window.grid(2), filled);
    EXPECT_EQ(window.rows().size(), 4u);
    auto* view = child<QTableView>(QStringLiteral("zedi分析列表框2"));
    EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("2"));
    EXPECT_TRUE(view->model()->index(4, 2).data(Qt::DecorationRole).isNull());
    EXPECT_EQ(view->model()->rowCount(), 25);

    QTest::mouseClick(child<QPushButton>(QStringLiteral("按钮4")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("按钮6")), Qt::LeftButton);
    EXPECT_EQ(window.grid(0), Grid());
    EXPECT_EQ(window.grid(2), Grid());
}

TEST_F(WindowTest, MenuFillShowsTheMessageThenTheCaptionThenThePage) {
    window.append_rows(sample_rows());
    child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->setText(QStringLiteral("手机壳"));
    auto* caption = child<QLabel>(QStringLiteral("标签9"));
    caption->setText(QStringLiteral("old"));
    QString caption_at_message;
    int page_at_message = -1;
    auto boxes = std::make_unique<RecordingBoxes>(shown);
    boxes->on_show = [&] {
        caption_at_message = caption->text();
        page_at_message = tabs()->currentIndex();
    };
    window.set_message_boxes(std::move(boxes));

    action(QStringLiteral("zedi菜单"), QStringLiteral("数据分析2"))->trigger();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("数据处理完成。请查看列表。"));
    EXPECT_EQ(shown[0].title, QStringLiteral("提示："));
    EXPECT_EQ(shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_FALSE(shown[0].yes_no);
    EXPECT_EQ(caption_at_message, QStringLiteral("old"));
    EXPECT_EQ(page_at_message, 0);
    EXPECT_EQ(caption->text(), QStringLiteral("此表为 手机壳 的人气搜索 下架时间分布图"));
    EXPECT_EQ(tabs()->currentIndex(), 2);

    // Only list 2 was filled, from the rows, with the clock's dates.
    EXPECT_EQ(window.grid(0), Grid());
    EXPECT_EQ(window.grid(2), Grid());
    auto* view = child<QTableView>(QStringLiteral("zedi分析列表框2"));
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("6-1"));
    EXPECT_EQ(view->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("6-7"));
    EXPECT_EQ(view->model()->index(23, 1).data().toString(), QStringLiteral("120"));
    EXPECT_EQ(view->model()->index(12, 3).data().toString(), QStringLiteral("88"));
    EXPECT_EQ(view->model()->index(24, 1).data().toString(), QStringLiteral("120"));
    EXPECT_EQ(view->model()->index(12, 8).data().toString(), QStringLiteral("88"));
}

TEST_F(WindowTest, MenuFillCaptionInLinkModeUsesTheSearchCaption) {
    struct Case {
        QString link;
        QString search_caption;
        QString expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("http://s.example/search?q=x"), QStringLiteral("搜索关键词为: 手机壳"),
         QStringLiteral("此表为 搜索关键词为: 手机壳 的人气搜索 下架时间分布图")},
        {QStringLiteral("a/b"), QString(), QStringLiteral("此表为  的人气搜索 下架时间分布图")},
        {QStringLiteral(" 手机 壳 "), QStringLiteral("ignored"),
         QStringLiteral("此表为  手机 壳  的人气搜索 下架时间分布图")},
    };
    for (const Case& c : cases) {
        child<QLineEdit>(QStringLiteral("zedi链接编辑框"))->setText(c.link);
        window.set_search_caption(to_text(c.search_caption));
        action(QStringLiteral("zedi菜单"), QStringLiteral("数据分析1"))->trigger();
        EXPECT_EQ(child<QLabel>(QStringLiteral("标签2"))->text(), c.expected);
        EXPECT_EQ(tabs()->currentIndex(), 1);
    }
}

TEST_F(WindowTest, RadiosFillTheirOwnListWithoutCaptionOrSwitch) {
    window.append_rows(sample_rows());
    tabs()->setCurrentIndex(4);

    QTest::mouseClick(child<QRadioButton>(QStringLiteral("单选框8")),
                      Qt::LeftButton);  // level, list 3
    EXPECT_TRUE(shown.empty());
    auto* view = child<QTableView>(QStringLiteral("zedi分析列表框3"));
    EXPECT_EQ(view->model()->index(23, 1).data().toString(), QStringLiteral("五金冠"));
    EXPECT_EQ(window.grid(2).cell_icon(23, 1), kIconTmall);  // a flagship store's nick
    EXPECT_EQ(window.grid(2).cell_icon(12, 3), kIconBlueCrown);
    EXPECT_FALSE(view->model()->index(12, 3).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(view->model()->index(24, 1).data().toString().isEmpty());  // no totals

    QTest::mouseClick(child<QRadioButton>(QStringLiteral("单选框6")),
                      Qt::LeftButton);  // price, list 2
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(cell(1, 23, 1), QStringLiteral("19.90"));
    EXPECT_EQ(cell(1, 12, 3), QStringLiteral("9.90"));

    QTest::mouseClick(child<QRadioButton>(QStringLiteral("单选框1")),
                      Qt::LeftButton);  // sales, list 1
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("数据处理完成。请查看列表。"));
    EXPECT_EQ(cell(0, 23, 1), QStringLiteral("120"));
    EXPECT_EQ(cell(0, 24, 3), QStringLiteral("88"));
    EXPECT_TRUE(child<QLabel>(QStringLiteral("标签2"))->text().isEmpty());
    EXPECT_EQ(tabs()->currentIndex(), 4);

    // Clicking the chosen radio again runs the fill again.
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("单选框1")), Qt::LeftButton);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(cell(0, 24, 3), QStringLiteral("88"));
}

TEST_F(WindowTest, AFillNeverRunsInsideAnother) {
    window.append_rows(sample_rows());
    auto boxes = std::make_unique<RecordingBoxes>(shown);
    RecordingBoxes* raw = boxes.get();
    window.set_message_boxes(std::move(boxes));
    // While the completion message is up, the user picks another fill.
    raw->on_show = [&] {
        action(QStringLiteral("zedi菜单"), QStringLiteral("数据分析3"))->trigger();
        window.run_view(1, GridView::Price);
    };
    action(QStringLiteral("zedi菜单"), QStringLiteral("数据分析1"))->trigger();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(window.grid(1), Grid());
    EXPECT_EQ(window.grid(2), Grid());
    EXPECT_EQ(tabs()->currentIndex(), 1);
    // Once it is over, fills run again.
    raw->on_show = nullptr;
    window.run_view(1, GridView::Price);
    EXPECT_EQ(cell(1, 23, 1), QStringLiteral("19.90"));
}

TEST_F(WindowTest, HelpPageIsWrittenOnEveryVisitAndOnlyThen) {
    const QString path = run.path() + QStringLiteral("/说明.html");
    window.show();
    for (int page : {1, 2, 3, 4, 0}) tabs()->setCurrentIndex(page);
    EXPECT_FALSE(QFile::exists(path));

    tabs()->setCurrentIndex(5);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), help_page());
    file.close();
    auto* view = child<QTextBrowser>(QStringLiteral("超文本浏览框1"));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("为什么要安排宝贝的下架时间")));
    EXPECT_TRUE(view->searchPaths().contains(help_picture_dir()));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("edited");
    file.close();
    tabs()->setCurrentIndex(2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "edited");
    file.close();
    tabs()->setCurrentIndex(5);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), help_page());
    EXPECT_FALSE(QFile::exists(fallback.path() + QStringLiteral("/说明.html")));
}

TEST_F(WindowTest, HelpPageFallsBackWhenTheRunDirectoryIsNotWritable) {
    {
        QFile blocker(run.path() + "/blocker");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    window.set_paths({run.path() + "/blocker", data.path(), fallback.path() + "/app"});
    tabs()->setCurrentIndex(5);
    EXPECT_TRUE(QFile::exists(fallback.path() + QStringLiteral("/app/说明.html")));
    auto* view = child<QTextBrowser>(QStringLiteral("超文本浏览框1"));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("为什么要安排宝贝的下架时间")));

    // With nowhere to write, the page still shows.
    window.set_paths({run.path() + "/blocker", data.path(), run.path() + "/blocker/app"});
    view->clear();
    tabs()->setCurrentIndex(0);
    tabs()->setCurrentIndex(5);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("为什么要安排宝贝的下架时间")));
}

TEST_F(WindowTest, CloseQuestionNoKeepsEverythingYesCloses) {
    window.show();
    window.start();
    window.append_rows(sample_rows());
    QSignalSpy confirmed(&window, &MainWindow::close_confirmed);

    EXPECT_FALSE(window.close());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("是否关闭程序？"));
    EXPECT_EQ(shown[0].title, QStringLiteral("询问"));
    EXPECT_EQ(shown[0].icon, MessageBoxes::Icon::Question);
    EXPECT_TRUE(shown[0].yes_no);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(confirmed.count(), 0);
    EXPECT_EQ(window.rows().size(), 4u);
    for (int list = 0; list < 3; ++list) EXPECT_EQ(window.cell_colours(list).entries().size(), 55u);

    window.set_message_boxes(std::make_unique<RecordingBoxes>(shown, true));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(confirmed.count(), 1);
}

TEST_F(WindowTest, StartUpSelectsTheFirstPageAndDecoratesTheFolder) {
    window.show();
    tabs()->setCurrentIndex(3);
    window.start();
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_TRUE(QFile::exists(data.path() + "/tovik/vosk/mh.bmp"));
    EXPECT_TRUE(QFile::exists(run.path() + "/desktop.ini"));
    // The notice server is unreachable: nothing is shown.
    QSignalSpy handled(&window, &MainWindow::notice_handled);
    ASSERT_TRUE(handled.wait(10000));
    EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace delist
