#pragma once
// A fixed set of worker threads running queued tasks in order of submission. The search reader
// sizes it to the number of requests it allows itself in flight.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace delist {

class TaskPool {
  public:
    explicit TaskPool(int threads);
    ~TaskPool();  // runs what is queued, then joins
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    void submit(std::function<void()> task);
    // Blocks until the queue is empty and no task runs.
    void wait_idle();

  private:
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> queue_;
    int running_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace delist
