#include "actions/FaceBookFunction.h"

#include "codes/SocialSiteLibrary.h"
#include "platform/Com.h"
#include "platform/DynamicLibrary.h"
#include "platform/Process.h"
#include "platform/WindowInspection.h"

namespace actions {

using platform::Service;

CFaceBookFunction::~CFaceBookFunction() { ReleaseQuickAccess(); }

void CFaceBookFunction::LoadQuickAccess() {
  if (acquired_) return;
  acquired_ = true;
  comOwed_ = Service<platform::Com>::Get().Initialize();
  const std::u16string folder = platform::ExeFolderOf(Service<platform::Process>::Get().ExecutablePath());
  // Without a folder the bare name would be looked for along the library
  // search path, where any file of that name could be picked up.
  if (folder.empty()) return;
  library_ = Service<platform::DynamicLibrary>::Get().Load(folder + quickaccess::kLibraryFile);
}

void CFaceBookFunction::ReleaseQuickAccess() {
  if (!acquired_) return;
  acquired_ = false;
  if (library_ != 0) Service<platform::DynamicLibrary>::Get().Free(library_);
  library_ = 0;
  if (comOwed_) Service<platform::Com>::Get().Uninitialize();
  comOwed_ = false;
}

void CFaceBookFunction::CallQuickAccess(const char* exportName) {
  // The window in front is taken first, before the library is asked.
  const platform::WindowHandle front = Service<platform::WindowInspection>::Get().ForegroundWindow();
  if (library_ == 0) return;
  const uintptr_t address = Service<platform::DynamicLibrary>::Get().Export(library_, exportName);
  if (address == 0) return;
  reinterpret_cast<quickaccess::Export>(address)(front);
}

}  // namespace actions
