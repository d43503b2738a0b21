#include "shell/grid_icons.hpp"

#include <array>

#include "shell/shell_resources.hpp"

namespace delist {

QIcon grid_icon(int index) {
    static const std::array<QIcon, 8> icons = [] {
        ensure_shell_resources();
        std::array<QIcon, 8> loaded;
        for (int i = 0; i < 8; ++i) {
            loaded[static_cast<std::size_t>(i)] =
                QIcon(QStringLiteral(":/icons/grid_icon_%1.png").arg(i));
        }
        return loaded;
    }();
    if (index < 0 || index >= 8) return {};
    return icons[static_cast<std::size_t>(index)];
}

}  // namespace delist
