#pragma once
// The analysis lists' image list: eight 16 x 16 icons, indexed as GridIcon.

#include <QIcon>

namespace delist {

// The icon of index 0..7; a null icon for any other index (kIconNone included).
QIcon grid_icon(int index);

}  // namespace delist
