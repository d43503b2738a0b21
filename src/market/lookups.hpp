#pragma once
// Item and seller look-ups through the Open Platform. Answers are not parsed as JSON: each is
// cleaned (quotes removed, "\/" restored) and values are cut between fixed markers.

#include <vector>

#include "text/text.hpp"

namespace delist {

// One "taobao.items.list.get" call: the ids asked for and the five lists cut from its answer, in
// answer order. The lists line up with the ids only when the answer left none out.
struct ItemBatch {
    TextList ids;
    TextList titles;
    TextList list_times;
    TextList delist_times;
    TextList prices;
    TextList nicks;
};

constexpr int kItemBatchSize = 20;

// The cleaned answer for up to 20 ids joined with ",".
Text request_items_batch(const Text& ids_text);
// One call for up to 20 ids.
ItemBatch lookup_item_batch(const TextList& batch_ids);
// The ids in batches of 20, one call each, in order. No ids, no call.
std::vector<ItemBatch> lookup_item_batches(const TextList& ids);
// Every batch's lists, one after the other; each out list is replaced.
void lookup_items(const TextList& ids, TextList& titles, TextList& list_times,
                  TextList& delist_times, TextList& prices, TextList& nicks);

// The seller's credit level text, by "taobao.user.get".
Text lookup_seller_level(const Text& nick);
Text credit_level_text(int score);

// Nick, listing and delisting time of one item, by "taobao.item.get".
void lookup_item(const Text& item_id, Text& nick, Text& list_time, Text& delist_time);

}  // namespace delist
