#include "sim_gateway.hpp"

#include <openssl/evp.h>

#include <algorithm>
#include <memory>

#include "sim_encoding.hpp"

namespace delist::sim {

namespace {

struct Application {
    const char* key;
    const char* secret;
};

const Application kApplications[] = {
    {"47395061", "7e41c9d05b28f3a6e17d4c90b25a8f3e"},  // item data
    {"38094127", "3f8a27e1d6c04b95a7e3f12c8d60b4a9"},  // seller data
};

// JSON string body: the live gateway escapes every slash.
std::string json_text(const std::string& gbk) {
    std::string out;
    for (char c : utf8_from_gbk(gbk)) {
        if (c == '/' || c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

const std::string* find_param(const SimParams& params, const std::string& key) {
    for (const auto& [k, v] : params) {
        if (k == key) return &v;
    }
    return nullptr;
}

std::string error_answer(int code, const std::string& msg) {
    return "{\"error_response\":{\"code\":" + std::to_string(code) + ",\"msg\":\"" + msg + "\"}}";
}

std::string item_json(const SimItem& item, const SimCatalog& catalog) {
    return "{\"delist_time\":\"" + item.delist_time + "\",\"list_time\":\"" + item.list_time +
           "\",\"nick\":\"" + json_text(catalog.seller(item.seller).nick) +
           "\",\"num_iid\":" + item.id + ",\"price\":\"" + item.price + "\",\"title\":\"" +
           json_text(item.title) + "\"}";
}

std::string items_list_answer(const SimCatalog& catalog, const std::string& num_iids) {
    std::string items;
    bool dropped = false;
    std::size_t start = 0;
    while (start <= num_iids.size()) {
        std::size_t comma = num_iids.find(',', start);
        if (comma == std::string::npos) comma = num_iids.size();
        const auto item = catalog.item(num_iids.substr(start, comma - start));
        start = comma + 1;
        if (!item) continue;
        // The out-of-stock hook: the first such item of every call goes missing.
        if (item->withheld && !dropped) {
            dropped = true;
            continue;
        }
        if (!items.empty()) items += ",";
        items += item_json(*item, catalog);
    }
    if (items.empty()) return "{\"items_list_get_response\":{}}";
    return "{\"items_list_get_response\":{\"items\":{\"item\":[" + items + "]}}}";
}

std::string user_answer(const SimCatalog& catalog, const std::string& nick_utf8) {
    const auto seller = catalog.seller_by_nick(gbk_from_utf8(nick_utf8));
    if (!seller) return "{\"user_get_response\":{}}";
    const int good = catalog.seller(*seller).good_num;
    return "{\"user_get_response\":{\"user\":{\"seller_credit\":{\"good_num\":" +
           std::to_string(good) + ",\"level\":" + std::to_string(*seller % 21) +
           ",\"score\":" + std::to_string(good) +
           ",\"total_num\":" + std::to_string(good + good / 50) + "}}}}";
}

std::string item_answer(const SimCatalog& catalog, const std::string& num_iid) {
    const auto item = catalog.item(num_iid);
    if (!item) {
        return "{\"error_response\":{\"code\":15,\"msg\":\"Remote service error\",\"sub_code\":"
               "\"isv.item-is-delete:invalid-numIid\",\"sub_msg\":\"item not found\"}}";
    }
    return "{\"item_get_response\":{\"item\":{\"delist_time\":\"" + item->delist_time +
           "\",\"list_time\":\"" + item->list_time + "\",\"nick\":\"" +
           json_text(catalog.seller(item->seller).nick) + "\"}}}";
}

}  // namespace

SimParams parse_form(const std::string& form) {
    SimParams params;
    std::size_t start = 0;
    while (start < form.size()) {
        std::size_t amp = form.find('&', start);
        if (amp == std::string::npos) amp = form.size();
        const std::string pair = form.substr(start, amp - start);
        start = amp + 1;
        if (pair.empty()) continue;
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos) {
            params.emplace_back(percent_decode(pair), std::string());
        } else {
            params.emplace_back(percent_decode(pair.substr(0, eq)),
                                percent_decode(pair.substr(eq + 1)));
        }
    }
    return params;
}

std::string gateway_signature(const SimParams& params, const std::string& secret) {
    SimParams sorted;
    for (const auto& pair : params) {
        if (pair.first != "sign") sorted.push_back(pair);
    }
    std::stable_sort(sorted.begin(), sorted.end());
    std::string source = secret;
    for (const auto& [key, value] : sorted) source += key + value;
    source += secret;

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1 ||
        EVP_DigestUpdate(ctx.get(), source.data(), source.size()) != 1 ||
        EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1) {
        return {};
    }
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += digits[digest[i] >> 4];
        hex += digits[digest[i] & 15];
    }
    return hex;
}

std::string gateway_answer(const SimCatalog& catalog, const SimParams& params) {
    const std::string* method = find_param(params, "method");
    if (!method) return error_answer(21, "Missing method");
    const std::string* app_key = find_param(params, "app_key");
    if (!app_key) return error_answer(28, "Missing app key");
    const Application* app = nullptr;
    for (const Application& candidate : kApplications) {
        if (*app_key == candidate.key) app = &candidate;
    }
    if (!app) return error_answer(29, "Invalid app Key");
    const std::string* sign = find_param(params, "sign");
    if (!sign) return error_answer(26, "Missing signature");
    if (!find_param(params, "timestamp")) return error_answer(31, "Missing timestamp");
    if (*sign != gateway_signature(params, app->secret))
        return error_answer(25, "Invalid signature");

    const std::string* fields = find_param(params, "fields");
    if (*method == "taobao.items.list.get") {
        const std::string* ids = find_param(params, "num_iids");
        if (!fields) return error_answer(40, "Missing required arguments:fields");
        if (!ids) return error_answer(40, "Missing required arguments:num_iids");
        return items_list_answer(catalog, *ids);
    }
    if (*method == "taobao.user.get") {
        const std::string* nick = find_param(params, "nick");
        if (!fields) return error_answer(40, "Missing required arguments:fields");
        if (!nick) return error_answer(40, "Missing required arguments:nick");
        return user_answer(catalog, *nick);
    }
    if (*method == "taobao.item.get") {
        const std::string* id = find_param(params, "num_iid");
        if (!fields) return error_answer(40, "Missing required arguments:fields");
        if (!id) return error_answer(40, "Missing required arguments:num_iid");
        return item_answer(catalog, *id);
    }
    return error_answer(22, "Invalid method");
}

}  // namespace delist::sim
