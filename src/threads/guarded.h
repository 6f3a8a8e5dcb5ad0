#pragma once
// A value that two threads read and write whole, each access under its own lock.
#include <mutex>
#include <utility>

template <class T>
class TGuarded {
 public:
  T Get() const {
    const std::lock_guard<std::mutex> lock(FLock);
    return FValue;
  }
  void Set(T value) {
    const std::lock_guard<std::mutex> lock(FLock);
    FValue = std::move(value);
  }

 private:
  mutable std::mutex FLock;
  T FValue{};
};
