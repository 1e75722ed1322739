#include "platform/simulated/SimulatorEventRing.h"

#include <windows.h>

namespace simulator {

EventRingLock::EventRingLock(EventRing& ring) : ring_(ring) {
  // The holder never waits for anything while it holds the lock, so a
  // short spin and then giving up the time slice is enough.
  for (unsigned spins = 0; InterlockedCompareExchange(&ring_.lock, 1, 0) != 0; ++spins) {
    if (spins >= 64) Sleep(0);
  }
}

EventRingLock::~EventRingLock() { InterlockedExchange(&ring_.lock, 0); }

EventRing* MapEventRing(bool create) {
  const HANDLE mapping = create ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                     sizeof(EventRing), kEventRingName)
                                : OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kEventRingName);
  if (mapping == nullptr) return nullptr;
  // Both the view and the mapping handle stay for the life of the process:
  // a mapping whose handles are all closed can no longer be found by its
  // name on every system, even while views of it remain.
  return static_cast<EventRing*>(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(EventRing)));
}

bool PushEvent(EventRing& ring, uint32_t code) {
  if (ring.count >= kEventRingSlots) return false;
  ring.codes[(ring.head + ring.count) % kEventRingSlots] = code;
  ++ring.count;
  return true;
}

bool PopFrontEvent(EventRing& ring, uint32_t& code) {
  if (ring.count == 0) return false;
  code = ring.codes[ring.head];
  ring.head = (ring.head + 1) % kEventRingSlots;
  --ring.count;
  return true;
}

void PopBackEvent(EventRing& ring) {
  if (ring.count != 0) --ring.count;
}

}  // namespace simulator
