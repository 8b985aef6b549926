#include "PaneWindow.h"

#include <cwchar>
#include <string_view>

#include "NotesText.h"

namespace larkpane {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text arrives as wchar_t");

// Registered with the first window of each class and unregistered when the library unloads,
// after its windows are gone (the library's unload closes them first).
tandry::ScopedWindowClass slideClass;
tandry::ScopedWindowClass notesClass;

bool EnsureClass(const char* className, WNDPROC procedure) {
  tandry::ScopedWindowClass& registered =
      std::string_view(className) == kNotesClassName ? notesClass : slideClass;
  if (registered) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = procedure;
  wc.hInstance = tandry::ThisModule();
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  registered.reset(::RegisterClassExA(&wc));
  return static_cast<bool>(registered);
}

constexpr UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;

}  // namespace

PaneWindow::~PaneWindow() {
  // Messages sent while the window goes must not reach a pane that is half destroyed.
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

bool PaneWindow::Open(const char* className, DWORD style, const Rect& screen) {
  if (!EnsureClass(className, &PaneWindow::WindowProc)) return false;
  // The show window must stay the foreground window, or the engine's hot keys go down: no
  // pane is ever activated, not even by a click, and none appears in the task bar.
  constexpr DWORD kPaneExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
  // WM_NCCREATE hands the window to window_; a failed creation takes it back in WM_NCDESTROY.
  ::CreateWindowExA(kPaneExStyle, className, "", style, screen.left, screen.top, screen.width,
                    screen.height, nullptr, nullptr, tandry::ThisModule(), this);
  return static_cast<bool>(window_);
}

Rect PaneWindow::ClientArea() const {
  RECT client{};
  if (window_) ::GetClientRect(window_.get(), &client);
  return {0, 0, client.right, client.bottom};
}

void PaneWindow::Invalidate(const Rect& area) const {
  if (!window_ || area.Empty()) return;
  const RECT rect{area.left, area.top, area.Right(), area.Bottom()};
  ::InvalidateRect(window_.get(), &rect, FALSE);
}

void PaneWindow::InvalidateAll() const {
  if (window_) ::InvalidateRect(window_.get(), nullptr, FALSE);
}

bool PaneWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK PaneWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      auto* opening = static_cast<PaneWindow*>(create->lpCreateParams);
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(opening));
      opening->window_.reset(window);
    }
    auto* pane = reinterpret_cast<PaneWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (pane != nullptr) return pane->Dispatch(window, message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's message dispatch; the message gets its default.
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT PaneWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCDESTROY:
      // Destroyed by someone else: the pane stays in its table without a window.
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      window_.release();
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click leaves the show in front
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole client area
    case WM_PAINT: {
      tandry::ScopedPaint paint(window);
      PaintClient(paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintClient(reinterpret_cast<HDC>(wParam));
      return 0;
    default: {
      LRESULT result = 0;
      if (OnMessage(message, wParam, lParam, result)) return result;
    }
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void PaneWindow::PaintClient(HDC target) {
  const Rect client = ClientArea();
  if (target != nullptr && !client.Empty()) Paint(target, client);
}

void PaneWindow::PaintBuffered(HDC target, const Rect& area,
                               const std::function<void(HDC)>& draw) {
  if (area.Empty()) return;
  if (!backBuffer_.Resize(area.width, area.height)) {
    draw(target);
    return;
  }
  // The buffer's top-left pixel is the area's top-left corner in client coordinates.
  ::SetViewportOrgEx(backBuffer_.Dc(), -area.left, -area.top, nullptr);
  draw(backBuffer_.Dc());
  ::SetViewportOrgEx(backBuffer_.Dc(), 0, 0, nullptr);
  backBuffer_.CopyTo(target, area.left, area.top);
}

tandry::ScopedGdiObj<HFONT> MakeFont(int height, bool bold) {
  return tandry::ScopedGdiObj<HFONT>(::CreateFontW(
      -height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS,
      L"Segoe UI"));
}

int MeasureText(HDC dc, HFONT font, const std::wstring& text, int width) {
  if (text.empty() || width <= 0) return 0;
  tandry::ScopedSelect select(dc, font);
  RECT rect{0, 0, width, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat | DT_CALCRECT);
  return rect.bottom;
}

void DrawTextBlock(HDC dc, HFONT font, COLORREF colour, const std::wstring& text,
                   const Rect& area, int scroll) {
  if (text.empty() || area.Empty()) return;
  tandry::ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colour);
  // Lines above `area` are drawn too; the caller paints over what lies above it.
  RECT rect{area.left, area.top - scroll, area.Right(), area.Bottom()};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat);
}

std::wstring NotesFromArgument(const wchar_t* text) {
  if (text == nullptr) return {};
  const std::u16string normalized = NormalizeLineBreaks(
      std::u16string_view(reinterpret_cast<const char16_t*>(text), std::wcslen(text)));
  return std::wstring(normalized.begin(), normalized.end());
}

}  // namespace larkpane
