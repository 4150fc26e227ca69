// GoogleTest's Notification is built on std::mutex, which the C++ library
// of MinGW-w64's win32 thread model does not have. GoogleTest needs it only
// to start threads in tests of its own; ours run on one thread, so this
// stand-in, which waits by spinning, takes its place (the build defines
// GTEST_HAS_NOTIFICATION_ so that GoogleTest leaves its own out).
#pragma once

#include <atomic>

namespace testing {
namespace internal {

class Notification {
public:
  void Notify() { notified_.store(true); }
  void WaitForNotification() const {
    while (!notified_.load()) {
    }
  }

private:
  std::atomic<bool> notified_{false};
};

} // namespace internal
} // namespace testing
