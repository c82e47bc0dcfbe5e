// task_threads.h - a few threads that run posted tasks.
//
//   TaskThreads   runs tasks in the order posted (PostFirst: before those
//                 waiting; PostAhead: after those, before the ones Post
//                 gave), each on the first of its threads that is free (one
//                 thread: strictly one after the other). The destructor runs what is still queued, unless
//                 Discard() was called, and joins the threads: none outlives
//                 the object.
#pragma once

#include <deque>
#include <functional>
#include <thread>
#include <vector>

#include "thread_sync.h"

namespace twpdf {

class TaskThreads {
 public:
  explicit TaskThreads(int threads);
  ~TaskThreads();
  TaskThreads(const TaskThreads&) = delete;
  TaskThreads& operator=(const TaskThreads&) = delete;

  void Post(std::function<void()> task);
  // Before every task not started yet (the writer waits for these).
  void PostFirst(std::function<void()> task);
  // Before the tasks of Post not started yet, in the order posted (the
  // long ones, so that they do not end last).
  void PostAhead(std::function<void()> task);
  // Drops the tasks not started yet; those running finish.
  void Discard();
  int size() const { return int(threads_.size()); }

 private:
  void Run();
  void Enqueue(std::deque<std::function<void()>>& queue, std::function<void()> task, bool front);

  Mutex lock_;
  Condition wake_;
  std::deque<std::function<void()>> first_, ahead_, tasks_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace twpdf
