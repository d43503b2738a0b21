#include "market/search_reader.hpp"

#include <algorithm>
#include <map>
#include <mutex>

#include "market/item_page.hpp"
#include "market/lookups.hpp"
#include "market/page_body.hpp"
#include "market/settings.hpp"
#include "market/task_pool.hpp"
#include "text/encoding.hpp"
#include "text/time.hpp"
#include "web/http_request.hpp"

namespace delist {
namespace {

const Text kSearchPath = "/search?spm=a230r.1.16.2.OEsInA&promote=0&sort=renqi-desc&q=";
const Text kIdMarker = "nid\":\"";
const Text kLinkMarker = "href=\"";
const Text kQuote = "\"";
constexpr int kIdsPerPage = 40;

bool holds(const Text& text, const Text& sub) {
    return find_text(text, sub) != -1;
}

bool is_cancelled(const SearchRequest& request) {
    return request.cancel != nullptr && request.cancel->load();
}

// Only a plain address is fetched: a pager without a link leaves page text, not an address.
bool is_fetchable(const Text& address) {
    return find_text(address, "http://") == 1;
}

}  // namespace

int page_count_from_selection(int index) {
    return index >= 0 && index <= 4 ? index + 2 : 0;
}

bool is_search_link(const Text& entry) {
    return holds(entry, "/");
}

Text search_base() {
    return "http://" + market_settings().search_host + kSearchPath;
}

Text keyword_page_address(const Text& keyword, int page) {
    return search_base() + url_encode(keyword) +
           "&bcoffset=1&s=" + int_to_text(kIdsPerPage * page) + "#J_relative";
}

Text next_page_address(const Text& page) {
    Text pager = text_between(page, "page-start", "page-next");
    if (!holds(pager, "href=")) return pager;
    return "http://" + market_settings().search_host + text_between(pager, kLinkMarker, kQuote);
}

Text search_caption_of(const Text& first_page, bool link_mode) {
    const Text title = text_between(first_page, "<title>", "_淘宝搜索");
    return link_mode ? title : "搜索关键词为: " + title;
}

void collect_item_ids(const Text& page, TextList& target) {
    TextList found;
    collect_between_all(page, kIdMarker, kQuote, found);
    TextList ids;
    if (!found.empty()) {
        for (auto& id : found)
            if (!id.empty()) ids.push_back(std::move(id));
    } else {
        for (const Text& piece : split_text(page, "summary")) {
            const Text link = text_between(piece, kLinkMarker, kQuote) + "&";
            const Text id = text_between(link, "id=", "&");
            if (!id.empty() && !holds(id, "_") && !holds(id, "=") && !holds(id, "%"))
                ids.push_back(id);
        }
    }
    target = std::move(ids);
}

void merge_ids(TextList& collected, const TextList& page_ids) {
    collected.insert(collected.end(), page_ids.begin(), page_ids.end());
}

Text fetch_search_page(const Text& address, bool gzip) {
    return gzip ? read_compressed_page(address) : http_request_text(address);
}

namespace {

// One read's shared state: rows are completed by pool tasks in any order and handed on in id
// order as soon as every earlier row is complete or known to be left out.
class RowAssembly {
  public:
    RowAssembly(const SearchRequest& request, const SearchCallbacks& callbacks, TaskPool& pool,
                int id_count)
        : request_(request), callbacks_(callbacks), pool_(pool), slots_(id_count) {
        progress_.rows_total = id_count;
    }

    bool cancelled() const { return is_cancelled(request_); }

    void set_pages(int read, int total) {
        std::lock_guard lock(mutex_);
        progress_.pages_read = read;
        progress_.pages_total = total;
        report();
    }

    // A batch's answer: its rows when the titles line up with the ids, else it is left out.
    void take_batch(int first, const ItemBatch& batch) {
        std::lock_guard lock(mutex_);
        const int count = static_cast<int>(batch.ids.size());
        if (static_cast<int>(batch.titles.size()) != count) {
            for (int i = 0; i < count; ++i) slots_[first + i].state = Slot::kLeftOut;
            outcome_.ids_left_out += count;
            progress_.rows_total -= count;
            emit_ready();
            return;
        }
        auto at = [](const TextList& list, int i) {
            return i < int(list.size()) ? list[i] : Text{};
        };
        for (int i = 0; i < count; ++i) {
            const int index = first + i;
            Slot& slot = slots_[index];
            slot.state = Slot::kFilling;
            ItemRow& row = slot.row;
            row.title = at(batch.titles, i);
            row.nick = at(batch.nicks, i);
            row.list_time = at(batch.list_times, i);
            row.delist_time = at(batch.delist_times, i);
            row.time_left = remaining_time_text(row.delist_time);
            row.price = at(batch.prices, i);
            row.item_id = batch.ids[i];
            want_level(index, row.nick);
            pool_.submit([this, index, id = row.item_id] {
                const Text sales = cancelled() ? Text{} : read_item_page(id, request_.gzip);
                std::lock_guard lock(mutex_);
                slots_[index].row.sales = sales;
                slots_[index].have_sales = true;
                emit_ready();
            });
        }
    }

    SearchOutcome outcome() {
        std::lock_guard lock(mutex_);
        return outcome_;
    }

  private:
    struct Slot {
        enum State { kWaiting, kFilling, kLeftOut, kHandedOn } state = kWaiting;
        ItemRow row;
        bool have_level = false;
        bool have_sales = false;
    };
    struct SellerLevel {
        bool known = false;
        Text level;
        std::vector<int> waiting;
    };

    // A seller's level is asked for once per read; its other rows wait for that answer.
    void want_level(int index, const Text& nick) {
        auto [it, first_ask] = levels_.try_emplace(nick);
        SellerLevel& seller = it->second;
        if (seller.known) {
            slots_[index].row.level = seller.level;
            slots_[index].have_level = true;
            return;
        }
        seller.waiting.push_back(index);
        if (!first_ask) return;
        pool_.submit([this, nick] {
            const Text level = cancelled() ? Text{} : lookup_seller_level(nick);
            std::lock_guard lock(mutex_);
            SellerLevel& answered = levels_[nick];
            answered.known = true;
            answered.level = level;
            for (int waiting : answered.waiting) {
                slots_[waiting].row.level = level;
                slots_[waiting].have_level = true;
            }
            answered.waiting.clear();
            emit_ready();
        });
    }

    void emit_ready() {
        bool moved = false;
        while (next_ < static_cast<int>(slots_.size())) {
            Slot& slot = slots_[next_];
            if (slot.state == Slot::kLeftOut) {
                ++next_;
                continue;
            }
            if (slot.state != Slot::kFilling || !slot.have_level || !slot.have_sales) break;
            slot.state = Slot::kHandedOn;
            if (!cancelled() && callbacks_.row) callbacks_.row(slot.row);
            slot.row = ItemRow{};
            ++outcome_.rows_added;
            ++progress_.rows_complete;
            ++next_;
            moved = true;
        }
        if (moved) report();
    }

    void report() {
        if (!cancelled() && callbacks_.progress) callbacks_.progress(progress_);
    }

    const SearchRequest& request_;
    const SearchCallbacks& callbacks_;
    TaskPool& pool_;
    std::mutex mutex_;
    std::vector<Slot> slots_;
    std::map<Text, SellerLevel> levels_;
    int next_ = 0;
    SearchProgress progress_;
    SearchOutcome outcome_;
};

// Keyword pages are independent and fetched at once; link pages follow the pager one by one.
// page_read gets the pages read so far and, with the first page, its text (for the caption).
std::vector<Text> read_pages(const SearchRequest& request, int pages, TaskPool& pool,
                             const std::function<void(int, const Text*)>& page_read) {
    std::vector<Text> texts(pages);
    if (!is_search_link(request.entry)) {
        std::mutex mutex;
        int read = 0;
        for (int k = 0; k < pages; ++k)
            pool.submit([&, k] {
                if (is_cancelled(request)) return;
                texts[k] = fetch_search_page(keyword_page_address(request.entry, k), request.gzip);
                std::lock_guard lock(mutex);
                page_read(++read, k == 0 ? &texts[0] : nullptr);
            });
        pool.wait_idle();
        return texts;
    }
    Text address = request.entry;
    for (int k = 0; k < pages && !is_cancelled(request); ++k) {
        if (k == 0 || is_fetchable(address)) texts[k] = fetch_search_page(address, request.gzip);
        address = next_page_address(texts[k]);
        page_read(k + 1, k == 0 ? &texts[0] : nullptr);
    }
    return texts;
}

}  // namespace

SearchOutcome read_search(const SearchRequest& request, const SearchCallbacks& callbacks) {
    const int pages = std::max(1, request.page_count);
    TaskPool pool(request.max_in_flight);
    SearchProgress page_progress;
    page_progress.pages_total = pages;
    auto page_read = [&](int read, const Text* first_page) {
        if (is_cancelled(request)) return;
        if (first_page != nullptr && callbacks.caption)
            callbacks.caption(search_caption_of(*first_page, is_search_link(request.entry)));
        page_progress.pages_read = read;
        if (callbacks.progress) callbacks.progress(page_progress);
    };
    const std::vector<Text> texts = read_pages(request, pages, pool, page_read);

    TextList ids;
    for (const Text& text : texts) {
        TextList page_ids;
        collect_item_ids(text, page_ids);
        merge_ids(ids, page_ids);
    }

    RowAssembly rows(request, callbacks, pool, static_cast<int>(ids.size()));
    rows.set_pages(pages, pages);
    for (int first = 0; first < static_cast<int>(ids.size()); first += kItemBatchSize) {
        const int last = std::min<int>(first + kItemBatchSize, ids.size());
        TextList batch_ids(ids.begin() + first, ids.begin() + last);
        pool.submit([&rows, first, batch_ids = std::move(batch_ids)] {
            if (rows.cancelled()) return;
            rows.take_batch(first, lookup_item_batch(batch_ids));
        });
    }
    pool.wait_idle();
    SearchOutcome outcome = rows.outcome();
    outcome.ids_collected = static_cast<int>(ids.size());
    return outcome;
}

}  // namespace delist
