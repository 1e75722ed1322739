#include "macro/KeysDown.h"

#include <algorithm>

#include "config/MacroStore.h"

namespace macro {

bool KeysDown::IsDown(uint8_t code) const { return std::find(codes_.begin(), codes_.end(), code) != codes_.end(); }

bool KeysDown::Fits(std::size_t eventCount, uint8_t code, bool released) const {
  std::size_t owedAfter = codes_.size();
  if (released && IsDown(code)) --owedAfter;
  if (!released && !IsDown(code)) ++owedAfter;
  return eventCount + 1 + owedAfter <= kMaxEvents;
}

void KeysDown::Note(uint8_t code, bool released) {
  const auto at = std::find(codes_.begin(), codes_.end(), code);
  if (released) {
    if (at != codes_.end()) codes_.erase(at);
  } else if (at == codes_.end()) {
    codes_.push_back(code);
  }
}

std::vector<uint8_t> KeysDown::TakeReleases() {
  std::vector<uint8_t> releases(codes_.rbegin(), codes_.rend());
  codes_.clear();
  return releases;
}

}  // namespace macro
