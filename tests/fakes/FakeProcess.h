#pragma once

#include <string>

#include "platform/DebugOutput.h"
#include "platform/Process.h"

namespace fakes {

class FakeProcess final : public platform::Process {
 public:
  std::u16string path;
  std::u16string ExecutablePath() override { return path; }
};

// Collects what the program writes for a debugger.
class CapturedDebugOutput final : public platform::DebugOutput {
 public:
  std::u16string text;
  void Write(const std::u16string& line) override { text += line; }
};

}  // namespace fakes
