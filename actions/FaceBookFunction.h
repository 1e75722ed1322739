#pragma once

// The social-site shortcuts that the optional QuickAccess library beside the
// program carries out. The main window holds one of these for its whole
// life: it loads the library (and initialises the component library on the
// user-interface thread) when it starts and releases both when it closes.

#include <cstdint>

#include "platform/Handle.h"

namespace actions {

class CFaceBookFunction {
 public:
  CFaceBookFunction() = default;
  // Releases whatever LoadQuickAccess acquired and was not released yet.
  virtual ~CFaceBookFunction();
  CFaceBookFunction(const CFaceBookFunction&) = delete;
  CFaceBookFunction& operator=(const CFaceBookFunction&) = delete;

  // Initialises the component library for the calling thread and loads
  // QuickAccess.dll from the program's folder. Without the file the
  // shortcuts do nothing. A second call while loaded does nothing.
  void LoadQuickAccess();

  // Frees the library and ends the component library's use on the thread
  // that called LoadQuickAccess. Afterwards the shortcuts do nothing until
  // the next LoadQuickAccess.
  void ReleaseQuickAccess();

  // Calls the export `exportName` (one of codes/SocialSiteLibrary.h) with the
  // window in front. Nothing happens without the library or the export.
  void CallQuickAccess(const char* exportName);

  bool IsLoaded() const { return library_ != 0; }

 private:
  bool acquired_ = false;
  bool comOwed_ = false;
  platform::Handle library_ = 0;
};

}  // namespace actions
