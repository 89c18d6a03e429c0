#pragma once
// Jobs that run on other threads while the caller goes on, with their results kept in the
// order the jobs were given. At most a few run at once, so that the pictures they work on
// do not pile up in memory.
#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <thread>
#include <vector>

namespace writer {

template <typename Result>
class OrderedWork {
 public:
  OrderedWork() : limit_(std::max(2u, std::thread::hardware_concurrency())) {}

  // Waits for the oldest job first when the limit is reached; a job's failure is thrown here
  // or by Results().
  void Add(std::function<Result()> job) {
    if (running_.size() >= limit_) FinishOldest();
    running_.push_back(std::async(std::launch::async, std::move(job)));
  }

  // Every result, in order, once all jobs are done.
  std::vector<Result>& Results() {
    while (!running_.empty()) FinishOldest();
    return done_;
  }

  std::size_t Count() const { return done_.size() + running_.size(); }

  void Clear() {
    running_.clear();
    done_.clear();
  }

 private:
  void FinishOldest() {
    std::future<Result> oldest = std::move(running_.front());
    running_.pop_front();
    done_.push_back(oldest.get());
  }

  std::size_t limit_;
  std::deque<std::future<Result>> running_;
  std::vector<Result> done_;
};

}  // namespace writer
