#include "sim_pages.hpp"

#include <algorithm>
#include <cstdio>

#include "sim_encoding.hpp"

namespace delist::sim {

namespace {

// Real result pages carry well over 100 KB of markup around the data.
constexpr std::size_t kSearchPageMinSize = 110 * 1024;

const char* const kSearchPath = "/search?spm=a230r.1.16.2.OEsInA&promote=0&sort=renqi-desc&q=";

std::string page_head(const std::string& title) {
    // The first link of the page has a query, as the live pages' stylesheet links do.
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"gbk\">\n<title>" + title +
           "</title>\n<link rel=\"stylesheet\" "
           "href=\"//g.tbcdn.cn/tb/search/1.3.9/index.css?t=20130601\">\n"
           "<style>body{font:12px/1.5 tahoma,arial,'宋体';}.grid .item{float:left;width:220px;}"
           ".pager .item{display:inline-block;margin:0 2px;}</style>\n</head>\n<body>\n";
}

std::string filler_block(int n) {
    const std::string k = std::to_string(n);
    return "<div class=\"m-related\" data-index=\"" + k +
           "\"><ul><li><a href=\"//s.taobao.com/list?cat=" + k + "&amp;rs=up\">相关类目 " + k +
           "</a></li><li><a href=\"//s.taobao.com/list?cat=" + k + "1&amp;rs=down\">热门推荐 " + k +
           "</a></li><li><span class=\"tag\">精选</span><span class=\"tag\">包邮</span>"
           "<span class=\"tag\">七天退换</span></li></ul></div>\n";
}

std::string auction_json(const SimCatalog& catalog, const SimItem& item) {
    const std::string& nick = catalog.seller(item.seller).nick;
    return "{\"p4p\":\"\",\"nid\":\"" + item.id +
           "\",\"category\":\"50010850\",\"pid\":\"\",\"title\":\"" + item.title +
           "\",\"raw_title\":\"" + item.title +
           "\",\"pic_url\":\"\\/\\/g-search1.alicdn.com\\/img\\/bao\\/uploaded\\/i4\\/" + item.id +
           ".jpg\",\"detail_url\":\"\\/\\/item.taobao.com\\/item.htm?id=" + item.id +
           "&ns=1&abbucket=9\",\"view_price\":\"" + item.price +
           "\",\"view_fee\":\"0.00\",\"item_loc\":\"浙江 杭州\",\"view_sales\":\"" +
           std::to_string(item.sales) + "人付款\",\"comment_count\":\"" +
           std::to_string(item.sales / 3) + "\",\"nick\":\"" + nick +
           "\",\"shopcard\":{\"levelClasses\":[{\"levelClass\":\"icon-supple-level-jinguan\"}],"
           "\"isTmall\":" +
           (item.tmall ? "true" : "false") +
           ",\"delivery\":[480,1,1998],\"description\":[480,1,1998],\"service\":[479,1,1806]}}";
}

std::string item_card(const SimItem& item, const std::string& host) {
    return "<div class=\"item J_MouserOnverReq\"><div class=\"pic\"><a class=\"pic-link\" "
           "href=\"http://" +
           host + "/item.htm?id=" + item.id +
           "&amp;ns=1\" target=\"_blank\"><img class=\"J_ItemPic img\" "
           "src=\"//g-search1.alicdn.com/img/"
           "bao/uploaded/i4/" +
           item.id + ".jpg_180x180.jpg\" alt=\"" + item.title +
           "\"></a></div><div class=\"ctx-box\"><div class=\"row row-1\"><div "
           "class=\"price\"><span>"
           "&yen;</span><strong>" +
           item.price + "</strong></div><div class=\"deal-cnt\">" + std::to_string(item.sales) +
           "人付款</div></div><div class=\"row row-2 title\">" + item.title +
           "</div><div class=\"row row-3\"><div class=\"location\">浙江 "
           "杭州</div></div></div></div>\n";
}

// The fallback form: no id member, each item a "summary" block whose first link names the item.
std::string summary_card(const SimItem& item, const std::string& host) {
    return "<div class=\"summary\"><h3><a href=\"http://" + host + "/item.htm?id=" + item.id +
           "&ns=1\" target=\"_blank\">" + item.title + "</a></h3><div class=\"price\">" +
           item.price + "</div></div>\n";
}

std::string pager(const std::string& keyword, int offset, int total) {
    const int page = offset / kItemsPerPage + 1;
    const int pages = (total + kItemsPerPage - 1) / kItemsPerPage;
    std::string html = "<div class=\"pager\"><ul class=\"items\"><li class=\"item page-start\">";
    if (offset + kItemsPerPage < total) {
        html += "<a class=\"J_Ajax num icon-tag\" href=\"" + std::string(kSearchPath) +
                percent_encode(keyword) +
                "&bcoffset=1&s=" + std::to_string(offset + kItemsPerPage) +
                "\"><span>下一页</span></a>";
    }
    html += "</li><li class=\"item page-next\"><span class=\"num\">" + std::to_string(page) + "/" +
            std::to_string(pages) + "</span></li></ul></div>\n";
    return html;
}

}  // namespace

std::string search_page(const SimCatalog& catalog, const std::string& keyword, int offset,
                        const std::string& host) {
    const std::vector<std::string> ids = catalog.keyword_ids(keyword);
    const int total = static_cast<int>(ids.size());
    const int first = std::clamp(offset, 0, total);
    const int last = std::min(first + kItemsPerPage, total);
    const bool linkless = SimCatalog::is_linkless_keyword(keyword);

    std::string html = page_head(keyword + "_淘宝搜索");
    html +=
        "<div id=\"page\"><div class=\"site-nav\"><a href=\"//www.taobao.com/\">淘宝网首页</a>"
        "<a href=\"//i.taobao.com/my_taobao.htm\">我的淘宝</a></div>\n";
    std::string cards;
    std::string auctions;
    for (int i = first; i < last; ++i) {
        const SimItem item = *catalog.item(ids[static_cast<std::size_t>(i)]);
        if (linkless) {
            cards += summary_card(item, host);
        } else {
            cards += item_card(item, host);
            if (!auctions.empty()) auctions += ",";
            auctions += auction_json(catalog, item);
        }
    }
    if (!linkless) {
        html +=
            "<script>\n    g_page_config = {\"pageName\":\"mainsrp\",\"mods\":{\"itemlist\":"
            "{\"status\":\"show\",\"data\":{\"postFeeText\":\"运费\",\"auctions\":[" +
            auctions + "]}},\"pager\":{\"data\":{\"pageSize\":40,\"totalPage\":" +
            std::to_string((total + kItemsPerPage - 1) / kItemsPerPage) +
            ",\"currentPage\":" + std::to_string(first / kItemsPerPage + 1) +
            ",\"totalCount\":" + std::to_string(total) + "}}}};\n</script>\n";
    }
    html += "<div class=\"grid g-clearfix\">\n" + cards + "</div>\n";
    html += pager(keyword, first, total);
    for (int n = 1; html.size() < kSearchPageMinSize; ++n) html += filler_block(n);
    html += "</div>\n</body>\n</html>\n";
    return html;
}

std::string item_page(const SimCatalog& catalog, const std::string& id, const std::string& host) {
    const auto found = catalog.item(id);
    if (!found) return {};
    const SimItem& item = *found;
    const std::string& nick = catalog.seller(item.seller).nick;
    std::string html;
    if (item.tmall) {
        html = page_head(item.title + "-tmall.com天猫");
        html += "<div id=\"J_DetailMeta\"><div class=\"tb-detail-hd\"><h1>" + item.title +
                "</h1></div><div class=\"slogo\"><a class=\"slogo-shopname\">" + nick +
                "</a></div></div>\n<script>\nTShop.Setup({\n    \"api\" : {\n"
                "        \"descUrl\" : \"//dsc.taobaocdn.com/i4/" +
                item.id +
                "/desc.jpg\",\n"
                "        \"initApi\" : \"http://" +
                host + "/tmall/init?itemId=" + item.id +
                "&sellerId=" + std::to_string(item.seller) +
                "\",\n"
                "        \"changeLocationApi\" : \"http://" +
                host + "/tmall/location?itemId=" + item.id +
                "\"\n    },\n    \"itemDO\" : {\"itemId\":\"" + item.id + "\",\"title\":\"" +
                item.title + "\",\"reservePrice\":\"" + item.price + "\"}\n});\n</script>\n";
    } else {
        html = page_head(item.title + "-淘宝网");
        html += "<div id=\"detail\"><div class=\"tb-detail-hd\"><h3 class=\"tb-main-title\">" +
                item.title + "</h3></div><div class=\"tb-shop-name\"><a>" + nick +
                "</a></div></div>\n<script>\n g_config = {\"itemId\":\"" + item.id +
                "\",\"sellerNick\":\"" + nick + "\",\"apiItemInfo\":\"http://" + host +
                "/info/item?itemId=" + item.id + "&sellerId=" + std::to_string(item.seller) +
                "\",\"price\":\"" + item.price + "\"};\n</script>\n";
    }
    for (int n = 1; n <= 40; ++n) html += filler_block(n);
    html += "</body>\n</html>\n";
    return html;
}

std::string shop_info_answer(const SimItem& item) {
    const std::string sales = std::to_string(item.sales);
    // Odd items carry blanks around the number, as some live answers do.
    const std::string quanity = item.sales % 2 ? " " + sales + " " : sales;
    return "onSibRequestSuccess({code:{code:0,message:\"SUCCESS\"},data:{dynStock:{stock:200,"
           "sellableQuantity:200},soldQuantity:{confirmGoodsCount:" +
           sales + ",soldTotalCount:" + sales + "},quanity:" + quanity +
           ",deliveryFee:{data:{}}}});";
}

std::string tmall_info_answer(const SimItem& item) {
    return "{\"defaultModel\":{\"sellCountDO\":{\"sellCount\":" + std::to_string(item.sales) +
           "},\"deliveryDO\":{\"areaId\":330100},\"itemPriceResultDO\":{\"price\":\"" + item.price +
           "\"}},\"isSuccess\":true}";
}

std::string notice_file(const std::string& status) {
    return "////广告开始\r\n广告=欢迎使用本软件，祝您生意兴隆！&\r\n////广告结束\r\n"
           "////开始\r\n状态=" +
           status + "&\r\n////结束\r\n";
}

}  // namespace delist::sim
