#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "threads/serial_worker.h"

TEST(SerialWorker, CarriesOutJobsInOrderGivesTheirResultsOrErrorsAndFinishesTheQueueOnShutdown) {
  std::vector<int> done;  // written by the worker only, read once it has ended
  std::promise<void> release;
  std::future<int> sum;
  std::future<void> failing;
  std::future<std::string> afterFailure;
  {
    TSerialWorker worker;
    // The first job holds the worker until every other job is queued behind it.
    worker.Post([&done, held = release.get_future().share()] {
      held.wait();
      done.push_back(0);
    });
    for (int i = 1; i <= 50; ++i) worker.Post([&done, i] { done.push_back(i); });
    sum = worker.Post([&done] {
      int total = 0;
      for (const int i : done) total += i;
      return total;
    });
    failing = worker.Post([]() -> void { throw std::runtime_error("job failed"); });
    afterFailure = worker.Post([] { return std::string("still working"); });
    release.set_value();
  }  // the worker ends here, with its queue carried out
  ASSERT_EQ(done.size(), 51u);
  for (int i = 0; i <= 50; ++i) EXPECT_EQ(done[static_cast<std::size_t>(i)], i);
  EXPECT_EQ(sum.get(), 1275);
  EXPECT_THROW(failing.get(), std::runtime_error);
  EXPECT_EQ(afterFailure.get(), "still working");
}
