#pragma once
// The program's one window: six tab pages with every control under its design name, the data
// list over the window's ItemRows, the three analysis lists over the window's Grids with their
// colour tables, the two popup menus, start-up, notice and close confirmation.

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "analysis/grid.hpp"
#include "market/item_row.hpp"
#include "shell/cell_colours.hpp"
#include "shell/message_boxes.hpp"
#include "text/time.hpp"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class QTextBrowser;
class QUrl;

namespace delist {

class DesignTabs;
class GridModel;
class ItemRowsModel;
class SearchReadRunner;
struct SearchOutcome;
struct SearchProgress;

// Where the window writes its files.
struct ShellPaths {
    QString run_dir;       // the program's folder: help page and desktop.ini
    QString data_dir;      // the user's data directory, home of the maker's folder
    QString fallback_dir;  // the help page's place when run_dir cannot be written
};

// The program's folder, the user's XDG data directory and the application's data directory.
ShellPaths default_shell_paths();

// How a fill shows the winning item of a cell.
enum class GridView { Sales, Level, Price };

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kAnalysisLists = 3;

    MainWindow();
    ~MainWindow() override;

    // The start-up sequence; the program runs it once the window is shown.
    void start();

    // The data list: rows are appended at the end, each numbered by the list's row count right
    // after it went in; they are removed only all together.
    void append_rows(const ItemRows& rows);
    const ItemRows& rows() const { return rows_; }
    // Empties the data list and the link box.
    void clear_data_list();

    // The grid of analysis list 0..2 (zedi分析列表框1..3).
    const Grid& grid(int list) const;
    // Changes a grid and redraws its list.
    void update_grid(int list, const std::function<void(Grid&)>& change);
    const CellColourTable& cell_colours(int list) const;
    void set_cell_colour(int list, int row, int column, ColourValue text_colour,
                         ColourValue background, bool use_background);
    // Registers the grey frame cells of one analysis list.
    void prepare_analysis_list(int list);
    // Back to the design state: labelled rows, columns titled "1" to "7".
    void reset_analysis_list(int list);

    // The title of the last search read, shown in the distribution captions.
    const Text& search_caption() const { return search_caption_; }
    void set_search_caption(const Text& caption) { search_caption_ = caption; }

    // The fills of one analysis list; from the menu with the caption and the switch to its page.
    void run_analysis_menu(int list);
    void run_view(int list, GridView view);

    // "读取数据": reads the entry's result pages on a worker; rows arrive as they are complete.
    void start_search_read();
    bool search_read_running() const;
    // "精准分析" of page 1..3 (list 0..2): the own item's details off the window's thread, then
    // the result lines and the danger marks.
    void start_precise_analysis(int list);

    void open_item_page();
    void show_help_page();
    void fetch_notice();
    void write_folder_decoration();

    MessageBoxes& message_boxes() { return *message_boxes_; }
    void set_message_boxes(std::unique_ptr<MessageBoxes> boxes);
    // How addresses are handed to the web browser.
    void set_url_opener(std::function<void(const QUrl&)> opener);
    // The clock of the fills.
    void set_clock(std::function<DateTime()> clock);
    const ShellPaths& paths() const { return paths_; }
    void set_paths(const ShellPaths& paths) { paths_ = paths; }

  signals:
    // The user answered Yes to the close question; the window closes right after.
    void close_confirmed();
    // The notice file has been read and its notice or question shown.
    void notice_handled();
    // A search read has ended and its completion message was closed.
    void search_read_finished();
    // A precise analysis has written its result lines and marks.
    void precise_analysis_finished(int list);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_search_page();
    void build_analysis_pages();
    void build_settings_page();
    void build_help_page();
    void build_menus();
    void show_menu(QMenu* menu);
    void handle_notice(const Text& file);
    void show_read_progress(const SearchProgress& progress);
    void finish_search_read(const SearchOutcome& outcome);
    QString download_page() const;

    ItemRows rows_;
    std::array<Grid, kAnalysisLists> grids_;
    std::array<CellColourTable, kAnalysisLists> colours_;
    Text search_caption_;
    bool filling_ = false;

    std::unique_ptr<MessageBoxes> message_boxes_;
    std::function<void(const QUrl&)> url_opener_;
    std::function<DateTime()> clock_;
    ShellPaths paths_;

    DesignTabs* tabs_ = nullptr;
    QLineEdit* link_edit_ = nullptr;
    QComboBox* page_count_box_ = nullptr;
    QPushButton* read_button_ = nullptr;
    QCheckBox* gzip_box_ = nullptr;
    QLineEdit* danger_percentage_ = nullptr;
    QLabel* read_progress_ = nullptr;
    SearchReadRunner* search_runner_ = nullptr;
    QTableView* data_list_ = nullptr;
    ItemRowsModel* rows_model_ = nullptr;
    std::array<QTableView*, kAnalysisLists> analysis_lists_{};
    std::array<GridModel*, kAnalysisLists> grid_models_{};
    std::array<QLabel*, kAnalysisLists> caption_labels_{};
    std::array<QLineEdit*, kAnalysisLists> own_link_edits_{};
    std::array<QPushButton*, kAnalysisLists> analyse_buttons_{};
    std::array<std::array<QLabel*, 2>, kAnalysisLists> result_labels_{};
    QLabel* notice_label_ = nullptr;
    QTextBrowser* help_view_ = nullptr;
    QMenu* data_list_menu_ = nullptr;
    QMenu* processing_menu_ = nullptr;
};

}  // namespace delist
