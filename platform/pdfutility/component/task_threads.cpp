// task_threads.cpp - the threads behind TaskThreads.
#include "task_threads.h"

namespace twpdf {

TaskThreads::TaskThreads(int threads) {
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Run(); });
}

TaskThreads::~TaskThreads() {
  {
    std::lock_guard<Mutex> hold(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void TaskThreads::Post(std::function<void()> task) { Enqueue(tasks_, std::move(task), false); }

void TaskThreads::PostFirst(std::function<void()> task) { Enqueue(first_, std::move(task), true); }

void TaskThreads::PostAhead(std::function<void()> task) { Enqueue(ahead_, std::move(task), false); }

void TaskThreads::Enqueue(std::deque<std::function<void()>>& queue, std::function<void()> task,
                          bool front) {
  {
    std::lock_guard<Mutex> hold(lock_);
    if (front)
      queue.push_front(std::move(task));
    else
      queue.push_back(std::move(task));
  }
  wake_.notify_one();
}

void TaskThreads::Discard() {
  std::lock_guard<Mutex> hold(lock_);
  first_.clear();
  ahead_.clear();
  tasks_.clear();
}

void TaskThreads::Run() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock<Mutex> hold(lock_);
      wake_.wait(hold, [this] {
        return stopping_ || !first_.empty() || !ahead_.empty() || !tasks_.empty();
      });
      std::deque<std::function<void()>>& queue =
          !first_.empty() ? first_ : !ahead_.empty() ? ahead_ : tasks_;
      if (queue.empty()) return;  // stopping, and nothing left to run
      task = std::move(queue.front());
      queue.pop_front();
    }
    task();
  }
}

}  // namespace twpdf
