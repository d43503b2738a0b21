#include "shell/shell_resources.hpp"

#include <QtGlobal>

// A static library's resources are registered by hand, outside any namespace.
static void init_resources() {
    Q_INIT_RESOURCE(resources);
}

namespace delist {

void ensure_shell_resources() {
    static const bool done = (init_resources(), true);
    (void)done;
}

}  // namespace delist
