#include "shell/search_read_runner.hpp"

#include "web/request_abort.hpp"

namespace delist {

SearchReadRunner::SearchReadRunner(QObject* parent) : QObject(parent) {}

SearchReadRunner::~SearchReadRunner() {
    // Everything queued for this object dies with it, so the thread must not outlive it; the
    // abort switch ends its requests in flight instead of waiting for their answers.
    if (thread_.joinable()) {
        const bool already_aborted = requests_aborted();
        cancel_ = true;
        set_requests_aborted(true);
        join();
        if (!already_aborted) set_requests_aborted(false);
    }
}

void SearchReadRunner::start(const SearchRequest& request) {
    if (running_) return;
    join();
    running_ = true;
    cancel_ = false;
    SearchRequest own = request;
    own.cancel = &cancel_;
    thread_ = std::thread([this, own] {
        SearchCallbacks callbacks;
        callbacks.row = [this](const ItemRow& row) { queue_row(row); };
        callbacks.caption = [this](const Text& caption) {
            QMetaObject::invokeMethod(
                this, [this, caption] { emit caption_ready(caption); }, Qt::QueuedConnection);
        };
        callbacks.progress = [this](const SearchProgress& now) {
            QMetaObject::invokeMethod(
                this, [this, now] { emit progress(now); }, Qt::QueuedConnection);
        };
        const SearchOutcome outcome = read_search(own, callbacks);
        // Posted after the last rows, so it arrives after them.
        QMetaObject::invokeMethod(
            this,
            [this, outcome] {
                flush_rows();
                running_ = false;
                emit finished(outcome);
            },
            Qt::QueuedConnection);
    });
}

// Rows that arrive while a hand-over is pending join it, so a fast read does not flood the
// window's event queue.
void SearchReadRunner::queue_row(const ItemRow& row) {
    std::lock_guard lock(pending_mutex_);
    pending_rows_.push_back(row);
    if (flush_queued_) return;
    flush_queued_ = true;
    QMetaObject::invokeMethod(
        this, [this] { flush_rows(); }, Qt::QueuedConnection);
}

void SearchReadRunner::flush_rows() {
    ItemRows rows;
    {
        std::lock_guard lock(pending_mutex_);
        rows.swap(pending_rows_);
        flush_queued_ = false;
    }
    if (!rows.empty()) emit rows_ready(rows);
}

void SearchReadRunner::join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace delist
