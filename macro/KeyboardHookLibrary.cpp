#include "macro/KeyboardHookLibrary.h"

#include "codes/KeyboardHookLibrary.h"
#include "platform/DynamicLibrary.h"

namespace macro {
namespace {

platform::DynamicLibrary& Libraries() { return platform::Service<platform::DynamicLibrary>::Get(); }

}  // namespace

KeyboardHookLibrary::~KeyboardHookLibrary() { Unload(); }

void KeyboardHookLibrary::Load(const std::u16string& libraryPath, platform::WindowHandle window) {
  if (library_ != 0) return;
  library_ = Libraries().Load(libraryPath);
  if (library_ == 0) return;
  const uintptr_t install = Libraries().Export(library_, kbgetkey::kInstallHook);
  setStatus_ = Libraries().Export(library_, kbgetkey::kSetHookStatus);
  remove_ = Libraries().Export(library_, kbgetkey::kRemoveHook);
  if (install != 0) reinterpret_cast<kbgetkey::InstallHookFunction*>(install)(window);
  SetStatus(false);
}

void KeyboardHookLibrary::SetStatus(bool on) {
  if (setStatus_ != 0) reinterpret_cast<kbgetkey::SetHookStatusFunction*>(setStatus_)(on ? kbgetkey::kHookOn : kbgetkey::kHookOff);
}

void KeyboardHookLibrary::Unload() {
  if (library_ == 0) return;
  SetStatus(false);
  if (remove_ != 0) reinterpret_cast<kbgetkey::RemoveHookFunction*>(remove_)();
  Libraries().Free(library_);
  library_ = 0;
  setStatus_ = 0;
  remove_ = 0;
}

}  // namespace macro
