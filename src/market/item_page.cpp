#include "market/item_page.hpp"

#include "market/page_body.hpp"
#include "market/settings.hpp"
#include "web/http_object_request.hpp"

namespace delist {

Text item_page_address(const Text& item_id) {
    return "http://" + market_settings().item_host + "/item.htm?id=" + item_id;
}

Text read_item_page(const Text& item_id, bool gzip) {
    const Text address = item_page_address(item_id);
    const Text page = gzip ? read_compressed_page(address) : http_object_request_text(address);

    Text sales;
    if (find_text(page, "天猫</title>") == -1) {
        const Text info_address = text_between(page, "\"apiItemInfo\":\"", "\"");
        sales = text_between(http_object_request_text(info_address), "quanity:", ",");
    } else {
        const Text piece = text_between(page, "initApi\"", "\"changeLocationApi");
        const Text info_address = text_between(piece, "\"", "\"");
        sales = text_between(http_object_request_text(info_address), "\"sellCount\":", "},");
    }
    return trim_spaces(sales);
}

}  // namespace delist
