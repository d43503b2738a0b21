#pragma once
// Reading search result pages for a keyword or a pasted search link into complete data-list rows:
// the page addresses, the item ids, the look-ups and the sales of every item. GUI-free: the
// window runs read_search on a worker thread and receives rows, the caption and progress through
// the callbacks.

#include <atomic>
#include <functional>

#include "market/item_row.hpp"

namespace delist {

// Pages to read for the selection of the page-count list: item 0 ("读取2页") gives 2 ... item 4
// gives 6; no selection gives 0.
int page_count_from_selection(int index);
// An entry holding "/" anywhere is a search link; anything else is a keyword.
bool is_search_link(const Text& entry);

// "http://" + search host + the popularity-sorted search path, ending in "q=".
Text search_base();
// The address of result page `page` (0-based) for a keyword: offsets 0, 40, 80, ...
Text keyword_page_address(const Text& keyword, int page);
// The address that the pager of a page links to next.
Text next_page_address(const Text& page);
// The caption a read sets from its first page.
Text search_caption_of(const Text& first_page, bool link_mode);

// Fills target with the page's item ids ("nid" markers, else the summary/link fallback).
// An empty id is never collected.
void collect_item_ids(const Text& page, TextList& target);
// Appends copies of the page ids to the collected ids.
void merge_ids(TextList& collected, const TextList& page_ids);

// One search page through the reading that gzip selects.
Text fetch_search_page(const Text& address, bool gzip);

struct SearchRequest {
    Text entry;          // keyword or search link, taken as it stands
    int page_count = 2;  // pages to read (0 reads the first page only)
    bool gzip = false;   // read pages compressed
    int max_in_flight = 8;
    const std::atomic<bool>* cancel = nullptr;  // when set, the read stops as soon as it can
};

struct SearchProgress {
    int pages_read = 0;
    int pages_total = 0;
    int rows_complete = 0;
    int rows_total = 0;
};

struct SearchCallbacks {
    std::function<void(const Text& caption)> caption;
    // Rows arrive in id order, each complete; row_no is left for the list to number.
    std::function<void(const ItemRow& row)> row;
    std::function<void(const SearchProgress& progress)> progress;
};

struct SearchOutcome {
    int ids_collected = 0;
    int rows_added = 0;
    int ids_left_out = 0;  // ids of batches whose answer did not line up
};

// Blocks until the read has ended; the callbacks run on the reader's own threads.
SearchOutcome read_search(const SearchRequest& request, const SearchCallbacks& callbacks);

}  // namespace delist
