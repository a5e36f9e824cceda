#pragma once
// The hourglass pointer while a scope runs (nested scopes stack).
namespace orv {
struct BusyPointer {
  BusyPointer();
  ~BusyPointer();
  BusyPointer(const BusyPointer &) = delete;
  BusyPointer &operator=(const BusyPointer &) = delete;
};
}  // namespace orv
