#include "shell/cell_colours.hpp"

#include <gtest/gtest.h>

#include <QImage>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include "recording_boxes.hpp"
#include "shell/main_window.hpp"

namespace delist {
namespace {

constexpr ColourValue kBlack = colour_value(0, 0, 0);
constexpr ColourValue kWhite = colour_value(255, 255, 255);
constexpr ColourValue kRed = colour_value(255, 0, 0);

TEST(ColourValue, RedSitsInTheLowByte) {
    EXPECT_EQ(colour_value(1, 2, 3), 0x030201u);
    EXPECT_EQ(kFrameBackground, 15527148u);
}

struct ColourCall {
    int row, column;
    ColourValue text, background;
    bool use_background;
};

struct TableCase {
    const char* name;
    std::vector<ColourCall> calls;
    std::vector<CellColour> expected;
};

class ColourTableCases : public ::testing::TestWithParam<TableCase> {};

TEST_P(ColourTableCases, EntriesFollowTheRules) {
    CellColourTable table(kBlack, kWhite);
    for (const ColourCall& c : GetParam().calls) {
        table.set_cell_colour(c.row, c.column, c.text, c.background, c.use_background);
    }
    EXPECT_EQ(table.entries(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ColourTableCases,
    ::testing::Values(
        TableCase{"OwnColoursGetNoEntry", {{1, 1, kBlack, kWhite, true}}, {}},
        TableCase{"WithoutBackgroundTheOwnOneIsStored",
                  {{1, 2, kRed, kFrameBackground, false}},
                  {{1, 2, kRed, kWhite}}},
        TableCase{"OwnColoursWithoutBackgroundGetNoEntry", {{1, 2, kBlack, kRed, false}}, {}},
        TableCase{"SameCellTwiceKeepsOneEntryWithTheLatest",
                  {{3, 4, kRed, kWhite, true},
                   {5, 5, kRed, kRed, true},
                   {3, 4, kBlack, kFrameBackground, true}},
                  {{3, 4, kBlack, kFrameBackground}, {5, 5, kRed, kRed}}},
        TableCase{
            "OwnColoursRemoveAnEntry",
            {{3, 4, kRed, kWhite, true}, {6, 1, kRed, kRed, true}, {3, 4, kBlack, kWhite, true}},
            {{6, 1, kRed, kRed}}},
        TableCase{"SameRowOtherColumnIsAnotherCell",
                  {{2, 0, kRed, kWhite, true}, {2, 8, kRed, kWhite, true}},
                  {{2, 0, kRed, kWhite}, {2, 8, kRed, kWhite}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrepareAnalysisList, RegistersTheFrameOnly) {
    CellColourTable table(kBlack, kWhite);
    prepare_analysis_list(table, 25);
    ASSERT_EQ(table.entries().size(), 55u);
    // Order: day totals, hour totals, hour labels.
    EXPECT_EQ(table.entries().front(), (CellColour{24, 1, kFrameText, kFrameBackground}));
    EXPECT_EQ(table.entries()[7], (CellColour{0, 8, kFrameText, kFrameBackground}));
    EXPECT_EQ(table.entries().back(), (CellColour{23, 0, kFrameText, kFrameBackground}));
    for (int row = 0; row < 25; ++row) {
        for (int column = 0; column < 9; ++column) {
            const bool frame = (row < 24 && (column == 0 || column == 8)) ||
                               (row == 24 && column >= 1 && column <= 7);
            const CellColour* entry = table.find(row, column);
            EXPECT_EQ(entry != nullptr, frame) << row << "," << column;
            if (entry) {
                EXPECT_EQ(entry->background, kFrameBackground);
            }
        }
    }
    // Preparing again changes nothing.
    prepare_analysis_list(table, 25);
    EXPECT_EQ(table.entries().size(), 55u);
}

// The colour painted in the middle right of a cell, away from its text.
QColor painted(QTableView* view, int row, int column) {
    const QImage image = view->grab().toImage();
    const QRect cell = view->visualRect(view->model()->index(row, column));
    const QPoint at = view->viewport()->mapTo(view, QPoint(cell.right() - 3, cell.center().y()));
    return image.pixelColor(at * image.devicePixelRatio());
}

TEST(GridColouring, FrameCellsArePaintedGreyAfterStartUp) {
    std::vector<ShownBox> shown;
    MainWindow window;
    window.set_message_boxes(std::make_unique<RecordingBoxes>(shown));
    QTemporaryDir dir;
    window.set_paths({dir.path(), dir.path(), dir.path()});
    window.show();
    window.start();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("高级选择夹1"));
    const QColor grey(236, 236, 236);
    const QColor white(255, 255, 255);
    for (int list = 0; list < 3; ++list) {
        EXPECT_EQ(window.cell_colours(list).entries().size(), 55u);
        tabs->setCurrentIndex(list + 1);
        auto* view =
            window.findChild<QTableView*>(QStringLiteral("zedi分析列表框%1").arg(list + 1));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(painted(view, 0, 0), grey);
        EXPECT_EQ(painted(view, 23, 8), grey);
        EXPECT_EQ(painted(view, 24, 4), grey);
        EXPECT_EQ(painted(view, 5, 3), white);
        EXPECT_EQ(painted(view, 24, 0), white);
        EXPECT_EQ(painted(view, 24, 8), white);
    }
    // A cell coloured later is painted at once; clearing the list keeps the frame.
    tabs->setCurrentIndex(1);
    auto* view = window.findChild<QTableView*>(QStringLiteral("zedi分析列表框1"));
    window.set_cell_colour(0, 5, 3, kBlack, kRed, true);
    EXPECT_EQ(painted(view, 5, 3), QColor(255, 0, 0));
    window.reset_analysis_list(0);
    EXPECT_EQ(painted(view, 0, 0), grey);
    EXPECT_EQ(view->model()->data(view->model()->index(3, 0), Qt::ForegroundRole).value<QColor>(),
              QColor(0, 0, 0));
}

}  // namespace
}  // namespace delist
