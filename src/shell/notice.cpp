#include "shell/notice.hpp"

#include "shell/qt_text.hpp"

namespace delist {

Notice parse_notice(const Text& file) {
    const Text block_notice = text_between(file, to_text(QStringLiteral("////广告开始")),
                                           to_text(QStringLiteral("////广告结束")));
    const Text block_status = text_between(file, to_text(QStringLiteral("////开始")),
                                           to_text(QStringLiteral("////结束")));
    return {text_between(block_notice, to_text(QStringLiteral("广告=")), "&"),
            text_between(block_status, to_text(QStringLiteral("状态=")), "&")};
}

}  // namespace delist
