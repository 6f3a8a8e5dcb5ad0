#pragma once
// One background thread that carries out the jobs posted to it, one at a time and in the
// order they were posted. Each Post hands back a future: waiting on it gives the job's
// result, or raises what the job raised.
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

class TSerialWorker {
 public:
  TSerialWorker() : FThread([this] { run(); }) {}
  // Carries out the jobs still waiting, then ends the thread.
  ~TSerialWorker() {
    {
      const std::lock_guard<std::mutex> lock(FLock);
      FEnding = true;
    }
    FWake.notify_one();
    FThread.join();
  }
  TSerialWorker(const TSerialWorker&) = delete;
  TSerialWorker& operator=(const TSerialWorker&) = delete;

  template <class Job>
  std::future<std::invoke_result_t<Job>> Post(Job job) {
    auto task = std::make_shared<std::packaged_task<std::invoke_result_t<Job>()>>(std::move(job));
    auto result = task->get_future();
    {
      const std::lock_guard<std::mutex> lock(FLock);
      FJobs.emplace_back([task] { (*task)(); });
    }
    FWake.notify_one();
    return result;
  }

 private:
  void run() {
    for (;;) {
      std::function<void()> job;
      {
        std::unique_lock<std::mutex> lock(FLock);
        FWake.wait(lock, [this] { return FEnding || !FJobs.empty(); });
        if (FJobs.empty()) return;
        job = std::move(FJobs.front());
        FJobs.pop_front();
      }
      job();  // a packaged task: what the job raises goes to its future
    }
  }

  std::mutex FLock;
  std::condition_variable FWake;
  std::deque<std::function<void()>> FJobs;
  bool FEnding = false;
  std::thread FThread;  // last: it starts once the rest is ready
};
