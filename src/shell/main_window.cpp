#include "shell/main_window.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QFile>
#include <QFutureWatcher>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTextBrowser>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include "analysis/distribution.hpp"
#include "analysis/precise.hpp"
#include "market/search_reader.hpp"
#include "market/settings.hpp"
#include "shell/design_tabs.hpp"
#include "shell/folder_decoration.hpp"
#include "shell/grid_model.hpp"
#include "shell/help_page.hpp"
#include "shell/item_rows_model.hpp"
#include "shell/notice.hpp"
#include "shell/qt_text.hpp"
#include "shell/search_read_runner.hpp"
#include "shell/shell_resources.hpp"
#include "shell/skin.hpp"
#include "text/text.hpp"
#include "web/http_request.hpp"

namespace delist {

namespace {

constexpr ColourValue kListText = colour_value(0, 0, 0);
constexpr ColourValue kListBackground = colour_value(255, 255, 255);
constexpr int kHelpPage = 5;

template <typename W>
W* named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

QLabel* label(const QString& name, const QString& text) {
    return named(new QLabel(text), name);
}

QPushButton* button(const QString& name, const QString& text) {
    return named(new QPushButton(text), name);
}

QLineEdit* edit(const QString& name, const QString& text = {}) {
    return named(new QLineEdit(text), name);
}

void set_list_look(QTableView* view) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setSectionsMovable(false);
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// Per page: own-item label, link box, analysis button, clear button, view label, three radios,
// the analysis list, two result lines and the caption line.
struct AnalysisPageDesign {
    const char16_t* own_label;
    QRect own_label_rect;
    const char16_t* link;
    QRect link_rect;
    const char16_t* analyse;
    QRect analyse_rect;
    const char16_t* clear;
    QRect clear_rect;
    const char16_t* view_label;
    QRect view_label_rect;
    std::array<const char16_t*, 3> radios;
    std::array<QRect, 3> radio_rects;
    const char16_t* list;
    QRect list_rect;
    std::array<const char16_t*, 3> lines;
    std::array<QRect, 3> line_rects;
    int first_column_width;
    int seventh_column_width;
};

const std::array<AnalysisPageDesign, 3> kAnalysisPages = {{
    {u"标签8",
     {12, 37, 112, 14},
     u"自己销量",
     {116, 32, 400, 24},
     u"按钮3",
     {520, 30, 57, 27},
     u"按钮4",
     {585, 30, 57, 27},
     u"标签19",
     {57, 63, 52, 16},
     {u"单选框1", u"单选框2", u"单选框3"},
     {QRect(130, 63, 52, 16), QRect(184, 63, 52, 16), QRect(239, 63, 52, 16)},
     u"zedi分析列表框1",
     {12, 85, 720, 456},
     {u"标签10", u"标签11", u"标签2"},
     {QRect(10, 545, 702, 22), QRect(10, 568, 702, 22), QRect(10, 591, 702, 22)},
     100,
     70},
    {u"标签16",
     {20, 34, 96, 18},
     u"自己销量1",
     {123, 29, 360, 24},
     u"按钮1",
     {488, 26, 57, 27},
     u"按钮2",
     {555, 26, 57, 27},
     u"标签20",
     {58, 58, 56, 16},
     {u"单选框4", u"单选框5", u"单选框6"},
     {QRect(130, 55, 48, 24), QRect(180, 55, 48, 24), QRect(228, 55, 48, 24)},
     u"zedi分析列表框2",
     {12, 83, 720, 460},
     {u"标签3", u"标签4", u"标签9"},
     {QRect(22, 546, 686, 22), QRect(22, 569, 686, 22), QRect(22, 592, 686, 22)},
     90,
     80},
    {u"标签17",
     {12, 36, 104, 15},
     u"自己销量2",
     {116, 32, 400, 24},
     u"按钮5",
     {524, 30, 57, 27},
     u"按钮6",
     {593, 30, 57, 27},
     u"标签18",
     {54, 62, 56, 16},
     {u"单选框7", u"单选框8", u"单选框9"},
     {QRect(124, 59, 48, 24), QRect(172, 59, 48, 24), QRect(220, 59, 48, 24)},
     u"zedi分析列表框3",
     {13, 85, 719, 456},
     {u"标签12", u"标签14", u"标签15"},
     {QRect(6, 542, 710, 22), QRect(7, 565, 709, 22), QRect(6, 588, 710, 22)},
     90,
     80},
}};

QString qs(const char16_t* text) {
    return QString::fromUtf16(text);
}

QString usage_tip() {
    return QStringLiteral(
        "使用提示：\n\n"
        "1. 先在淘宝网用您的宝贝的主要关键词搜索，把搜索结果按销量排序，然后复制浏览器地址栏中的"
        "搜索链接。\n\n"
        "2. 回到“直观数据”页，把链接粘贴到输入框中（也可以直接输入关键词），选择要读取的页数，"
        "点击“读取数据”，等待提示“数据读取完成!”。\n\n"
        "3. 点击“数据处理”，选择一个数据分析。软件把同行宝贝按下架日期和小时排进未来七天的表格，"
        "每一格显示在那个小时下架的销量最高的宝贝。\n\n"
        "4. 在数据处理页输入您自己的宝贝链接，点击“精准分析”：绿色对勾的时段对手比您弱，"
        "黄色警告的时段对手与您相当，红色警告的时段对手比您强。上面的百分比决定什么算中度危险。\n\n"
        "5. 尽量让宝贝在绿色对勾多、合计少的时段下架，避免与比您强的卖家同时下架。"
        "同一店铺的宝贝最好分散在一周的不同时段。");
}

}  // namespace

ShellPaths default_shell_paths() {
    return {QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}

MainWindow::MainWindow()
    : colours_{CellColourTable(kListText, kListBackground),
               CellColourTable(kListText, kListBackground),
               CellColourTable(kListText, kListBackground)},
      message_boxes_(std::make_unique<QtMessageBoxes>()),
      url_opener_([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      clock_([] { return current_time(); }),
      paths_(default_shell_paths()) {
    ensure_shell_resources();
    setWindowTitle(QStringLiteral("下架规划 1.0 宝贝下架时间安排 避开与同行热销宝贝同时下架"));
    setWindowIcon(QIcon(QStringLiteral(":/program_icon.png")));
    setGeometry(50, 50, 748, 658);

    tabs_ = named(new DesignTabs(this), QStringLiteral("高级选择夹1"));
    tabs_->setGeometry(4, 5, 740, 618);
    build_search_page();
    build_analysis_pages();
    build_settings_page();
    build_help_page();
    build_menus();
    // Below the tab control: how far a running read has got.
    read_progress_ = named(new QLabel(this), QStringLiteral("read_progress"));
    read_progress_->setGeometry(8, 628, 736, 24);
    search_runner_ = new SearchReadRunner(this);
    connect(search_runner_, &SearchReadRunner::rows_ready, this, &MainWindow::append_rows);
    connect(search_runner_, &SearchReadRunner::caption_ready, this,
            &MainWindow::set_search_caption);
    connect(search_runner_, &SearchReadRunner::progress, this, &MainWindow::show_read_progress);
    connect(search_runner_, &SearchReadRunner::finished, this, &MainWindow::finish_search_read);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == kHelpPage) show_help_page();
    });
}

// The read ends first: its thread must not outlive the window it reports to. The views go
// before the rows and grids their models read.
MainWindow::~MainWindow() {
    delete search_runner_;
    delete tabs_;
}

void MainWindow::build_search_page() {
    QWidget* page = tabs_->add_page(QStringLiteral("直观数据"));
    tabs_->place(page, label(QStringLiteral("标签1"), QStringLiteral("请输入关键词或者搜索链接:")),
                 {8, 35, 148, 16});
    link_edit_ = edit(QStringLiteral("zedi链接编辑框"));
    tabs_->place(page, link_edit_, {160, 31, 284, 23});
    tabs_->place(page, label(QStringLiteral("标签13"), QStringLiteral("页数:")), {448, 33, 30, 16});
    page_count_box_ = named(new QComboBox, QStringLiteral("组合框1"));
    for (int n = 2; n <= 6; ++n) page_count_box_->addItem(QStringLiteral("读取%1页").arg(n));
    page_count_box_->setCurrentIndex(0);
    tabs_->place(page, page_count_box_, {482, 32, 80, 20});
    read_button_ = button(QStringLiteral("zedi读取数据按钮"), QStringLiteral("读取数据"));
    tabs_->place(page, read_button_, {572, 29, 65, 24});
    connect(read_button_, &QPushButton::clicked, this, &MainWindow::start_search_read);
    auto* processing = button(QStringLiteral("zedi分析按钮"), QStringLiteral("数据处理"));
    tabs_->place(page, processing, {651, 29, 64, 24});
    connect(processing, &QPushButton::clicked, this, [this] { show_menu(processing_menu_); });

    data_list_ = named(new QTableView, QStringLiteral("zedi数据列表框"));
    rows_model_ = new ItemRowsModel(rows_, this);
    data_list_->setModel(rows_model_);
    set_list_look(data_list_);
    data_list_->verticalHeader()->setDefaultSectionSize(20);
    const std::array<int, ItemRowsModel::kColumns> widths = {30,  80,  65, 50, 130,
                                                             130, 110, 60, 50, 0};
    for (int c = 0; c < ItemRowsModel::kColumns; ++c) {
        data_list_->horizontalHeader()->resizeSection(c, widths[static_cast<std::size_t>(c)]);
    }
    data_list_->horizontalHeader()->setSectionHidden(9, true);
    tabs_->place(page, data_list_, {5, 61, 718, 550});
    // A right click anywhere in the list, header included, opens its menu.
    data_list_->setContextMenuPolicy(Qt::CustomContextMenu);
    data_list_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(data_list_, &QWidget::customContextMenuRequested, this,
            [this] { show_menu(data_list_menu_); });
    connect(data_list_->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this] { show_menu(data_list_menu_); });
}

void MainWindow::build_analysis_pages() {
    for (int list = 0; list < kAnalysisLists; ++list) {
        const AnalysisPageDesign& d = kAnalysisPages[static_cast<std::size_t>(list)];
        QWidget* page = tabs_->add_page(QStringLiteral("数据处理%1").arg(list + 1));
        tabs_->place(page, label(qs(d.own_label), QStringLiteral("自己的宝贝链接:")),
                     d.own_label_rect);
        auto* own_link = edit(qs(d.link));
        tabs_->place(page, own_link, d.link_rect);
        own_link_edits_[static_cast<std::size_t>(list)] = own_link;
        auto* analyse = button(qs(d.analyse), QStringLiteral("精准分析"));
        tabs_->place(page, analyse, d.analyse_rect);
        analyse_buttons_[static_cast<std::size_t>(list)] = analyse;
        connect(analyse, &QPushButton::clicked, this,
                [this, list] { start_precise_analysis(list); });
        auto* clear = button(qs(d.clear), QStringLiteral("清空"));
        tabs_->place(page, clear, d.clear_rect);
        connect(clear, &QPushButton::clicked, this, [this, list] { reset_analysis_list(list); });
        tabs_->place(page, label(qs(d.view_label), QStringLiteral("查看方式:")), d.view_label_rect);

        auto* group = new QButtonGroup(page);
        group->setExclusive(true);
        const std::array<QString, 3> radio_texts = {QStringLiteral("销量"), QStringLiteral("等级"),
                                                    QStringLiteral("价格")};
        const std::array<GridView, 3> views = {GridView::Sales, GridView::Level, GridView::Price};
        for (std::size_t i = 0; i < 3; ++i) {
            auto* radio = named(new QRadioButton(radio_texts[i]), qs(d.radios[i]));
            group->addButton(radio);
            tabs_->place(page, radio, d.radio_rects[i]);
            connect(radio, &QRadioButton::clicked, this,
                    [this, list, view = views[i]] { run_view(list, view); });
        }

        auto* view = named(new QTableView, qs(d.list));
        auto* model = new GridModel(grids_[static_cast<std::size_t>(list)],
                                    colours_[static_cast<std::size_t>(list)], this);
        view->setModel(model);
        set_list_look(view);
        view->setIconSize(QSize(16, 16));
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // All 25 rows and the header fit in the list's height.
        constexpr int kHeaderHeight = 20;
        view->horizontalHeader()->setFixedHeight(kHeaderHeight);
        const int row_height =
            (d.list_rect.height() - kHeaderHeight - 2 * view->frameWidth()) / Grid::kRows;
        view->verticalHeader()->setMinimumSectionSize(row_height);
        view->verticalHeader()->setDefaultSectionSize(row_height);
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        const std::array<int, Grid::kColumns> widths = {
            d.first_column_width, 70, 80, 80, 80, 80, 80, d.seventh_column_width, 70};
        for (int c = 0; c < Grid::kColumns; ++c) {
            view->horizontalHeader()->resizeSection(c, widths[static_cast<std::size_t>(c)]);
        }
        tabs_->place(page, view, d.list_rect);
        analysis_lists_[static_cast<std::size_t>(list)] = view;
        grid_models_[static_cast<std::size_t>(list)] = model;

        for (std::size_t i = 0; i < 3; ++i) {
            auto* line = label(qs(d.lines[i]), {});
            tabs_->place(page, line, d.line_rects[i]);
            if (i == 2) {
                caption_labels_[static_cast<std::size_t>(list)] = line;
            } else {
                result_labels_[static_cast<std::size_t>(list)][i] = line;
            }
        }
        if (list == 0) {
            notice_label_ = label(QStringLiteral("标签23"), {});
            tabs_->place(page, notice_label_, {188, 243, 520, 24});
            notice_label_->hide();
        }
    }
}

void MainWindow::build_settings_page() {
    QWidget* page = tabs_->add_page(QStringLiteral("配置"));
    tabs_->place(page, label(QStringLiteral("标签5"), QStringLiteral("精准分析配置:")),
                 {29, 51, 112, 16});
    tabs_->place(page, label(QStringLiteral("标签6"), QStringLiteral("销量高于自己宝贝的")),
                 {29, 83, 112, 24});
    danger_percentage_ = edit(QStringLiteral("相差配额"), QStringLiteral("20"));
    tabs_->place(page, danger_percentage_, {146, 83, 56, 24});
    tabs_->place(page, label(QStringLiteral("标签7"), QStringLiteral("%  算中度危险")),
                 {203, 83, 81, 24});
    tabs_->place(page, label(QStringLiteral("标签24"), QStringLiteral("节省宽带:")),
                 {28, 135, 80, 16});
    gzip_box_ =
        named(new QCheckBox(QStringLiteral("是否采用GZIP方式访问网页(选择的话 会多占用一点内存 "
                                           "但是节省了3-12倍的流量)")),
              QStringLiteral("GZIP"));
    tabs_->place(page, gzip_box_, {118, 136, 472, 16});
    auto* tip = label(QStringLiteral("标签21"), usage_tip());
    tip->setWordWrap(true);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tabs_->place(page, tip, {24, 176, 648, 355});
}

void MainWindow::build_help_page() {
    QWidget* page = tabs_->add_page(QStringLiteral("说明"));
    help_view_ = named(new QTextBrowser, QStringLiteral("超文本浏览框1"));
    help_view_->setOpenLinks(false);
    tabs_->place(page, help_view_, {5, 29, 720, 566});
}

void MainWindow::build_menus() {
    data_list_menu_ = named(new QMenu(this), QStringLiteral("菜单"));
    connect(data_list_menu_->addAction(QStringLiteral("打开宝贝地址")), &QAction::triggered, this,
            &MainWindow::open_item_page);
    connect(data_list_menu_->addAction(QStringLiteral("清空列表")), &QAction::triggered, this,
            &MainWindow::clear_data_list);
    processing_menu_ = named(new QMenu(this), QStringLiteral("zedi菜单"));
    for (int list = 0; list < kAnalysisLists; ++list) {
        connect(processing_menu_->addAction(QStringLiteral("数据分析%1").arg(list + 1)),
                &QAction::triggered, this, [this, list] { run_analysis_menu(list); });
    }
}

void MainWindow::show_menu(QMenu* menu) {
    menu->popup(QCursor::pos() + QPoint(3, 3));
}

void MainWindow::start() {
    apply_skin();
    for (int list = 0; list < kAnalysisLists; ++list) prepare_analysis_list(list);
    tabs_->setCurrentIndex(0);
    QCoreApplication::processEvents();
    fetch_notice();
    write_folder_decoration();
}

void MainWindow::append_rows(const ItemRows& rows) {
    if (rows.empty()) return;
    rows_model_->begin_append(static_cast<int>(rows.size()));
    for (const ItemRow& row : rows) {
        rows_.push_back(row);
        rows_.back().row_no = int_to_text(static_cast<int>(rows_.size()));
    }
    rows_model_->end_append();
}

void MainWindow::clear_data_list() {
    rows_model_->begin_clear();
    rows_.clear();
    rows_model_->end_clear();
    link_edit_->clear();
}

const Grid& MainWindow::grid(int list) const {
    return grids_.at(static_cast<std::size_t>(list));
}

void MainWindow::update_grid(int list, const std::function<void(Grid&)>& change) {
    change(grids_.at(static_cast<std::size_t>(list)));
    grid_models_[static_cast<std::size_t>(list)]->grid_changed();
}

const CellColourTable& MainWindow::cell_colours(int list) const {
    return colours_.at(static_cast<std::size_t>(list));
}

void MainWindow::set_cell_colour(int list, int row, int column, ColourValue text_colour,
                                 ColourValue background, bool use_background) {
    colours_.at(static_cast<std::size_t>(list))
        .set_cell_colour(row, column, text_colour, background, use_background);
    grid_models_[static_cast<std::size_t>(list)]->colours_changed();
}

void MainWindow::prepare_analysis_list(int list) {
    delist::prepare_analysis_list(colours_.at(static_cast<std::size_t>(list)), Grid::kRows);
    grid_models_[static_cast<std::size_t>(list)]->colours_changed();
}

void MainWindow::reset_analysis_list(int list) {
    update_grid(list, [](Grid& g) { g.reset(); });
}

void MainWindow::run_analysis_menu(int list) {
    if (filling_) return;
    run_view(list, GridView::Sales);
    const Text caption = distribution_caption(to_text(link_edit_->text()), search_caption_);
    caption_labels_.at(static_cast<std::size_t>(list))->setText(to_qstring(caption));
    tabs_->setCurrentIndex(list + 1);
}

void MainWindow::run_view(int list, GridView view) {
    // A fill never runs inside another, not even from its completion message.
    if (filling_) return;
    filling_ = true;
    const DateTime now = clock_();
    update_grid(list, [&](Grid& g) {
        switch (view) {
            case GridView::Sales:
                fill_grid_by_sales(rows_, g, now);
                break;
            case GridView::Level:
                fill_grid_by_level(rows_, g, now);
                break;
            case GridView::Price:
                fill_grid_by_price(rows_, g, now);
                break;
        }
    });
    if (view == GridView::Sales) {
        message_boxes_->show_message(QStringLiteral("数据处理完成。请查看列表。"),
                                     QStringLiteral("提示："), MessageBoxes::Icon::Information);
    }
    filling_ = false;
}

void MainWindow::start_search_read() {
    if (search_runner_->running()) return;
    const QString entry = link_edit_->text();
    if (entry.isEmpty()) {
        message_boxes_->show_message(QStringLiteral("请输入关键词或者搜索链接!"),
                                     QStringLiteral("错误"), MessageBoxes::Icon::Error);
        return;
    }
    // The read takes the entry, the page count and the GZIP choice once, here.
    SearchRequest request;
    request.entry = to_text(entry);
    request.page_count = page_count_from_selection(page_count_box_->currentIndex());
    request.gzip = gzip_box_->isChecked();
    read_button_->setEnabled(false);
    read_progress_->setText(QStringLiteral("正在读取数据..."));
    search_runner_->start(request);
}

bool MainWindow::search_read_running() const {
    return search_runner_->running();
}

void MainWindow::show_read_progress(const SearchProgress& progress) {
    read_progress_->setText(QStringLiteral("正在读取数据: 已读 %1/%2 页, 已完成 %3/%4 个宝贝")
                                .arg(progress.pages_read)
                                .arg(progress.pages_total)
                                .arg(progress.rows_complete)
                                .arg(progress.rows_total));
}

void MainWindow::finish_search_read(const SearchOutcome& outcome) {
    QString summary = QStringLiteral("数据读取完成: 添加了 %1 个宝贝").arg(outcome.rows_added);
    if (outcome.ids_left_out > 0) {
        summary += QStringLiteral(", %1 个宝贝未能补全").arg(outcome.ids_left_out);
    }
    read_progress_->setText(summary);
    message_boxes_->show_message(QStringLiteral("数据读取完成!"), QStringLiteral("提醒"),
                                 MessageBoxes::Icon::Information);
    read_button_->setEnabled(true);
    emit search_read_finished();
}

void MainWindow::start_precise_analysis(int list) {
    const auto page = static_cast<std::size_t>(list);
    const Text link = to_text(own_link_edits_.at(page)->text());
    if (!is_item_link(link)) {
        message_boxes_->show_message(QStringLiteral("请正确输入您的宝贝地址"),
                                     QStringLiteral("信息："), MessageBoxes::Icon::None);
        return;
    }
    QPushButton* analyse = analyse_buttons_[page];
    analyse->setEnabled(false);
    auto* watcher = new QFutureWatcher<OwnItem>(this);
    connect(watcher, &QFutureWatcher<OwnItem>::finished, this, [this, watcher, list, page] {
        const OwnItem item = watcher->result();
        watcher->deleteLater();
        result_labels_[page][0]->setText(to_qstring(precise_first_line(item)));
        result_labels_[page][1]->setText(to_qstring(precise_second_line(item, clock_())));
        // The percentage counts as it reads when the answer is in.
        const int own_sales = text_to_int(item.sales);
        const int threshold =
            danger_threshold(own_sales, text_to_int(to_text(danger_percentage_->text())));
        update_grid(list, [&](Grid& g) { mark_grid(g, own_sales, threshold); });
        analyse_buttons_[page]->setEnabled(true);
        emit precise_analysis_finished(list);
    });
    // Off the window's thread: the look-up and the page read wait on the network.
    watcher->setFuture(
        QtConcurrent::run([id = item_id_from_link(link), gzip = gzip_box_->isChecked()] {
            return lookup_own_item(id, gzip);
        }));
}

void MainWindow::open_item_page() {
    int row = -1;
    for (const QModelIndex& index : data_list_->selectionModel()->selectedRows()) {
        if (row < 0 || index.row() < row) row = index.row();
    }
    if (row < 0) return;
    const Text& id = rows_[static_cast<std::size_t>(row)].item_id;
    if (id.empty()) return;
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setAuthority(to_qstring(market_settings().item_host));
    url.setPath(QStringLiteral("/item.htm"));
    url.setQuery(QStringLiteral("id=") + to_qstring(id));
    url_opener_(url);
}

void MainWindow::show_help_page() {
    if (tabs_->currentIndex() != kHelpPage) return;
    const QString path = write_help_page(paths_.run_dir, paths_.fallback_dir);
    QByteArray page;
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) page = file.readAll();
    if (page.isEmpty()) page = help_page();
    help_view_->setSearchPaths({help_picture_dir()});
    help_view_->setHtml(gbk_document(page));
}

void MainWindow::fetch_notice() {
    auto* watcher = new QFutureWatcher<Text>(this);
    connect(watcher, &QFutureWatcher<Text>::finished, this, [this, watcher] {
        handle_notice(watcher->result());
        watcher->deleteLater();
    });
    // Off the window's thread: a dead server must not freeze the window.
    watcher->setFuture(
        QtConcurrent::run([url = market_settings().notice_url] { return http_request_text(url); }));
}

void MainWindow::handle_notice(const Text& file) {
    const Notice notice = parse_notice(file);
    notice_label_->setText(to_qstring(notice.notice));
    if (notice.status == to_text(QStringLiteral("更新"))) {
        if (message_boxes_->ask_yes_no(QStringLiteral("发现新版本.是否免费获取最新版本？"),
                                       QStringLiteral("更新询问"), MessageBoxes::Icon::None)) {
            url_opener_(QUrl(download_page()));
        }
    } else if (notice.status == to_text(QStringLiteral("广告"))) {
        message_boxes_->show_message(notice_label_->text(), QStringLiteral("提示"),
                                     MessageBoxes::Icon::Information);
    }
    emit notice_handled();
}

QString MainWindow::download_page() const {
    // The maker's server is the one that serves the notice file.
    return QStringLiteral("http://") + to_qstring(url_host(market_settings().notice_url, 1)) +
           QStringLiteral("/download.html");
}

void MainWindow::write_folder_decoration() {
    delist::write_folder_decoration(paths_.run_dir, paths_.data_dir);
}

void MainWindow::set_message_boxes(std::unique_ptr<MessageBoxes> boxes) {
    message_boxes_ = std::move(boxes);
}

void MainWindow::set_url_opener(std::function<void(const QUrl&)> opener) {
    url_opener_ = std::move(opener);
}

void MainWindow::set_clock(std::function<DateTime()> clock) {
    clock_ = std::move(clock);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (message_boxes_->ask_yes_no(QStringLiteral("是否关闭程序？"), QStringLiteral("询问"),
                                   MessageBoxes::Icon::Question)) {
        emit close_confirmed();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace delist
