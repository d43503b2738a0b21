#include "shell/cell_colours.hpp"

#include <algorithm>

namespace delist {

void CellColourTable::set_cell_colour(int row, int column, ColourValue text_colour,
                                      ColourValue background, bool use_background) {
    const CellColour entry{row, column, text_colour, use_background ? background : own_background_};
    // The removal test looks at the background argument itself, as given.
    const bool own_colours = text_colour == own_text_ && entry.background == own_background_;
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const CellColour& c) {
        return c.row == row && c.column == column;
    });
    if (found != entries_.end()) {
        if (text_colour == own_text_ && background == own_background_) {
            entries_.erase(found);
        } else {
            *found = entry;
        }
        return;
    }
    if (!own_colours) entries_.push_back(entry);
}

const CellColour* CellColourTable::find(int row, int column) const {
    for (const CellColour& c : entries_) {
        if (c.row == row && c.column == column) return &c;
    }
    return nullptr;
}

void prepare_analysis_list(CellColourTable& table, int row_count) {
    const int last = row_count - 1;
    for (int column = 1; column <= 7; ++column) {
        table.set_cell_colour(last, column, kFrameText, kFrameBackground, true);
    }
    for (int row = 0; row <= row_count - 2; ++row) {
        table.set_cell_colour(row, 8, kFrameText, kFrameBackground, true);
    }
    for (int row = 0; row <= row_count - 2; ++row) {
        table.set_cell_colour(row, 0, kFrameText, kFrameBackground, true);
    }
}

}  // namespace delist
