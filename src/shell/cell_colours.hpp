#pragma once
// Per-cell colours of one analysis list, looked up by row and column whenever a cell is painted.
// Colour values are 32 bits: red in the low byte, then green, then blue.

#include <cstdint>
#include <vector>

namespace delist {

using ColourValue = std::uint32_t;

constexpr ColourValue colour_value(int red, int green, int blue) {
    return static_cast<ColourValue>(red) | static_cast<ColourValue>(green) << 8 |
           static_cast<ColourValue>(blue) << 16;
}

// The frame cells: black on light grey.
inline constexpr ColourValue kFrameText = colour_value(0, 0, 0);
inline constexpr ColourValue kFrameBackground = colour_value(236, 236, 236);

struct CellColour {
    int row = 0;
    int column = 0;
    ColourValue text_colour = 0;
    ColourValue background = 0;

    friend bool operator==(const CellColour&, const CellColour&) = default;
};

class CellColourTable {
  public:
    // The list's own text and text background colours.
    CellColourTable(ColourValue own_text, ColourValue own_background)
        : own_text_(own_text), own_background_(own_background) {}

    // Registers or changes one cell; without use_background the list's own background is kept.
    // A cell whose colours come out as the list's own has no entry.
    void set_cell_colour(int row, int column, ColourValue text_colour, ColourValue background,
                         bool use_background);
    // The entry of a cell, or nullptr when it uses the list's own colours.
    const CellColour* find(int row, int column) const;
    // In the order they were added.
    const std::vector<CellColour>& entries() const { return entries_; }

    ColourValue own_text() const { return own_text_; }
    ColourValue own_background() const { return own_background_; }

  private:
    ColourValue own_text_;
    ColourValue own_background_;
    std::vector<CellColour> entries_;
};

// Registers the grey frame of an analysis list of row_count rows: the day totals of the last row,
// then the hour totals, then the hour labels; the two corner cells of the last row stay plain.
void prepare_analysis_list(CellColourTable& table, int row_count);

}  // namespace delist
