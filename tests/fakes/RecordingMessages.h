#pragma once

// Collects the messages the core asks the window layer to show.

#include <string>
#include <vector>

#include "config/UserMessages.h"

struct RecordingMessages : config::UserMessages {
  struct Shown {
    std::u16string text;
    std::u16string caption;
  };
  std::vector<Shown> shown;

  void ShowMessage(const std::u16string& text, const std::u16string& caption) override {
    shown.push_back({text, caption});
  }
};
