// What the window did, on its way to the host: gestures and values queued on the main thread and
// sent as output events by the next process or flush, which the host never runs at once. One
// producer and one consumer; neither waits nor allocates. A host that neither processes nor
// flushes for a long time lets the queue fill, and later news is dropped: the engine holds the
// values already, only the host's record of them misses some.
#pragma once

#include <atomic>
#include <cstdint>

struct WindowChange {
  enum Kind : uint8_t { gestureBegin, newValue, gestureEnd };
  Kind kind;
  int32_t index;
  float value;  // for newValue only
};

class WindowChangeQueue {
 public:
  // Main thread. False, and nothing queued, when full.
  bool push(const WindowChange& change) {
    const uint32_t at = head.load(std::memory_order_relaxed);
    if (at - tail.load(std::memory_order_acquire) == kCapacity) return false;
    slots[at % kCapacity] = change;
    head.store(at + 1, std::memory_order_release);
    return true;
  }

  // The thread in process or flush. False when empty.
  bool pop(WindowChange& change) {
    const uint32_t at = tail.load(std::memory_order_relaxed);
    if (at == head.load(std::memory_order_acquire)) return false;
    change = slots[at % kCapacity];
    tail.store(at + 1, std::memory_order_release);
    return true;
  }

 private:
  // A drag sends one value per mouse move; a host flushes several times a second at least.
  static constexpr uint32_t kCapacity = 256;
  WindowChange slots[kCapacity] = {};
  std::atomic<uint32_t> head{0};  // written by the producer: the next slot to fill
  std::atomic<uint32_t> tail{0};  // written by the consumer: the next slot to read
};
