#include "market/lookups.hpp"

#include <array>

#include "market/top_request.hpp"
#include "text/encoding.hpp"

namespace delist {

namespace {

const char* const kItemAppKey = "47395061";
const char* const kItemAppSecret = "7e41c9d05b28f3a6e17d4c90b25a8f3e";
const char* const kSellerAppKey = "38094127";
const char* const kSellerAppSecret = "3f8a27e1d6c04b95a7e3f12c8d60b4a9";

Text cleaned_answer(const Text& answer) {
    return replace_subtext(replace_subtext(utf8_to_text(answer), "\""), "\\/", "/");
}

}  // namespace

Text request_items_batch(const Text& ids_text) {
    TopRequest request;
    request.set_param("fields", "title,list_time,delist_time,price,nick");
    request.set_param("num_iids", ids_text);
    const Text answer = request.execute(kItemAppKey, kItemAppSecret, "taobao.items.list.get");
    request.clear_params();
    return cleaned_answer(answer);
}

ItemBatch lookup_item_batch(const TextList& batch_ids) {
    ItemBatch batch;
    batch.ids = batch_ids;
    Text ids_text;
    for (const Text& id : batch_ids) ids_text += id + ",";
    const Text answer = request_items_batch(text_left(ids_text, text_length(ids_text) - 1));
    collect_between_all(answer, "delist_time:", ",", batch.delist_times);
    // The leading "," keeps "delist_time:" from matching.
    collect_between_all(answer, ",list_time:", ",", batch.list_times);
    collect_between_all(answer, "price:", ",", batch.prices);
    // Titles run up to the item's end, so commas inside them survive.
    collect_between_all(answer, "title:", "}", batch.titles);
    collect_between_all(answer, "nick:", ",", batch.nicks);
    return batch;
}

std::vector<ItemBatch> lookup_item_batches(const TextList& ids) {
    std::vector<ItemBatch> batches;
    for (std::size_t first = 0; first < ids.size(); first += kItemBatchSize) {
        const std::size_t last = std::min(ids.size(), first + kItemBatchSize);
        batches.push_back(lookup_item_batch(TextList(ids.begin() + static_cast<long>(first),
                                                     ids.begin() + static_cast<long>(last))));
    }
    return batches;
}

void lookup_items(const TextList& ids, TextList& titles, TextList& list_times,
                  TextList& delist_times, TextList& prices, TextList& nicks) {
    titles.clear();
    list_times.clear();
    delist_times.clear();
    prices.clear();
    nicks.clear();
    for (const ItemBatch& batch : lookup_item_batches(ids)) {
        titles.insert(titles.end(), batch.titles.begin(), batch.titles.end());
        list_times.insert(list_times.end(), batch.list_times.begin(), batch.list_times.end());
        delist_times.insert(delist_times.end(), batch.delist_times.begin(),
                            batch.delist_times.end());
        prices.insert(prices.end(), batch.prices.begin(), batch.prices.end());
        nicks.insert(nicks.end(), batch.nicks.begin(), batch.nicks.end());
    }
}

Text lookup_seller_level(const Text& nick) {
    TopRequest request;
    request.set_param("fields", "seller_credit");
    request.set_param("nick", nick, 1);
    const Text answer = request.execute(kSellerAppKey, kSellerAppSecret, "taobao.user.get");
    const Text score = text_between(answer, "good_num\":", ",");
    request.clear_params();
    return credit_level_text(text_to_int(score));
}

Text credit_level_text(int score) {
    struct Level {
        int upper;
        const char* text;
    };
    static const std::array<Level, 20> levels{{
        {3, "无等级"},       {10, "一心"},        {40, "二心"},        {90, "三心"},
        {150, "四心"},       {250, "五心"},       {500, "一钻"},       {1000, "二钻"},
        {2000, "三钻"},      {5000, "四钻"},      {10000, "五钻"},     {20000, "一皇冠"},
        {50000, "二皇冠"},   {100000, "三皇冠"},  {200000, "四皇冠"},  {500000, "五皇冠"},
        {1000000, "一金冠"}, {2000000, "二金冠"}, {5000000, "三金冠"}, {10000000, "四金冠"},
    }};
    if (score < 0) return "请输入整数";
    for (const Level& level : levels) {
        if (score <= level.upper) return level.text;
    }
    return "五金冠";
}

void lookup_item(const Text& item_id, Text& nick, Text& list_time, Text& delist_time) {
    TopRequest request;
    request.set_param("fields", "nick,delist_time,list_time");
    request.set_param("num_iid", item_id);
    const Text answer =
        cleaned_answer(request.execute(kItemAppKey, kItemAppSecret, "taobao.item.get"));
    request.clear_params();
    nick = text_between(answer, "nick:", "}");
    list_time = text_between(answer, ",list_time:", ",");
    delist_time = text_between(answer, "delist_time:", ",");
}

}  // namespace delist
