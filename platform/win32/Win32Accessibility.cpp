#include "platform/Accessibility.h"
#include "platform/win32/WideString.h"

#include <ole2.h>
#include <mshtml.h>

namespace platform {
namespace {

// The document and script-window interfaces of the embedded browser.
constexpr GUID kDocumentInterface = {0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
constexpr GUID kWindowInterface = {0x332C4427, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};

constexpr UINT kHungWindowWaitMs = 1000;

using ObjectFromLresultFn = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);

// Releases an interface pointer when it goes out of scope.
template <class Interface>
class Held {
 public:
  ~Held() {
    if (pointer) pointer->Release();
  }
  Interface* pointer = nullptr;
};

class Win32Accessibility final : public Accessibility {
 public:
  DocumentScroll ScrollDocument(Handle library, WindowHandle server, int32_t dx) override {
    const HWND window = win32::FromHandle<HWND>(server);
    const UINT getObject = RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, getObject, 0, 0, SMTO_ABORTIFHUNG, kHungWindowWaitMs, &answer);
    const auto objectFromLresult = reinterpret_cast<ObjectFromLresultFn>(
        reinterpret_cast<void*>(GetProcAddress(win32::FromHandle<HMODULE>(library), "ObjectFromLresult")));
    if (objectFromLresult == nullptr) return DocumentScroll::NoDocument;

    Held<IHTMLDocument2> document;
    if (FAILED(objectFromLresult(static_cast<LRESULT>(answer), kDocumentInterface, 0,
                                 reinterpret_cast<void**>(&document.pointer))) ||
        document.pointer == nullptr)
      return DocumentScroll::NoDocument;
    Held<IDispatch> script;
    if (FAILED(document.pointer->get_Script(&script.pointer)) || script.pointer == nullptr)
      return DocumentScroll::NoDocument;
    Held<IHTMLWindow2> scriptWindow;
    if (FAILED(script.pointer->QueryInterface(kWindowInterface, reinterpret_cast<void**>(&scriptWindow.pointer))) ||
        scriptWindow.pointer == nullptr)
      return DocumentScroll::NoDocument;
    return scriptWindow.pointer->scrollBy(dx, 0) == S_OK ? DocumentScroll::Scrolled : DocumentScroll::Refused;
  }
};

}  // namespace

template <>
Accessibility& Service<Accessibility>::Default() {
  static Win32Accessibility instance;
  return instance;
}

}  // namespace platform
