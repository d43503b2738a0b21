#pragma once
// Runs one search read on its own thread and hands its rows, caption, progress and end to the
// window's thread. Destroying the runner (the program closing) ends a running read at once,
// requests in flight included.

#include <QObject>
#include <atomic>
#include <mutex>
#include <thread>

#include "market/search_reader.hpp"

namespace delist {

class SearchReadRunner : public QObject {
    Q_OBJECT
  public:
    explicit SearchReadRunner(QObject* parent = nullptr);
    ~SearchReadRunner() override;

    bool running() const { return running_; }
    // Starts a read; the request is taken as it stands. Ignored while a read runs.
    void start(const SearchRequest& request);

  signals:
    // Complete rows in id order, in batches as they arrive.
    void rows_ready(const delist::ItemRows& rows);
    void caption_ready(const delist::Text& caption);
    void progress(const delist::SearchProgress& progress);
    void finished(const delist::SearchOutcome& outcome);

  private:
    void queue_row(const ItemRow& row);
    void flush_rows();
    void join();

    std::thread thread_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    std::mutex pending_mutex_;
    ItemRows pending_rows_;
    bool flush_queued_ = false;
};

}  // namespace delist
