#include "macro/KeyboardHookLibrary.h"

#include "libraries/kbgetkey/KBGetKeyContract.h"
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
  const uintptr_t install = Libraries().Export(library_, kbgetkey::kInstallHookExport);
  setStatus_ = Libraries().Export(library_, kbgetkey::kSetHookStatusExport);
  remove_ = Libraries().Export(library_, kbgetkey::kRemoveHookExport);
  if (install != 0) reinterpret_cast<kbgetkey::InstallHookEntry>(install)(window);
  SetStatus(false);
}

void KeyboardHookLibrary::SetStatus(bool on) {
  if (setStatus_ != 0) reinterpret_cast<kbgetkey::SetHookStatusEntry>(setStatus_)(on ? 1 : 0);
}

void KeyboardHookLibrary::Unload() {
  if (library_ == 0) return;
  SetStatus(false);
  if (remove_ != 0) reinterpret_cast<kbgetkey::RemoveHookEntry>(remove_)();
  Libraries().Free(library_);
  library_ = 0;
  setStatus_ = 0;
  remove_ = 0;
}

}  // namespace macro
