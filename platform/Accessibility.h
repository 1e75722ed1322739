#pragma once

// A browser document shown in an embedded browser window, reached through
// the accessibility library, and scrolled by its script window.

#include <cstdint>

#include "platform/Handle.h"
#include "platform/Service.h"

namespace platform {

enum class DocumentScroll {
  NoDocument,  // the window gave no document (or the library lacks the entry point)
  Scrolled,    // the document scrolled
  Refused,     // the document was found but did not scroll
};

class Accessibility {
 public:
  virtual ~Accessibility() = default;

  // Asks the browser window `server` for its document through the loaded
  // accessibility library `library` (waiting at most a second for a hung
  // window) and scrolls the document by `dx` pixels sideways. The component
  // library must be initialised on the calling thread.
  virtual DocumentScroll ScrollDocument(Handle library, WindowHandle server, int32_t dx) = 0;
};

template <>
Accessibility& Service<Accessibility>::Default();

}  // namespace platform
