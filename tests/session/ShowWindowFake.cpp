#include "ShowWindowFake.h"

#include "ScopedWin.h"

namespace tandry::testing {

namespace {

constexpr wchar_t kClassName[] = L"screenClass";

void RegisterOnce(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassW(&windowClass);
  }();
  (void)atom;
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  ScopedGdiObj<HBRUSH> brush(::CreateSolidBrush(colour));
  RECT rect{left, top, right, bottom};
  ::FillRect(dc, &rect, brush.get());
}

}  // namespace

Quadrants QuadrantsOf(int slide) {
  const BYTE shade = static_cast<BYTE>(40 * (slide % 6));
  return Quadrants{RGB(255, shade, 0), RGB(shade, 200, 0), RGB(0, shade, 255),
                   RGB(255, 255, shade)};
}

FakeShowWindow::FakeShowWindow(const RECT& rect) {
  RegisterOnce(&Procedure);
  window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Show", WS_POPUP,
                              rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Shown without activation: Wine hands activated windows to the (absent) window manager, and
  // then waits for it when they go.
  ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

FakeShowWindow::~FakeShowWindow() {
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  ::DestroyWindow(window_);
}

LONG_PTR FakeShowWindow::OwnProcedure() { return reinterpret_cast<LONG_PTR>(&Procedure); }

void FakeShowWindow::Paint(HDC dc) const {
  RECT client;
  ::GetClientRect(window_, &client);
  const int midX = client.right / 2, midY = client.bottom / 2;
  const Quadrants colours = QuadrantsOf(slide);
  Fill(dc, 0, 0, midX, midY, colours.topLeft);
  Fill(dc, midX, 0, client.right, midY, colours.topRight);
  Fill(dc, 0, midY, midX, client.bottom, colours.bottomLeft);
  Fill(dc, midX, midY, client.right, client.bottom, colours.bottomRight);
}

LRESULT CALLBACK FakeShowWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* self = reinterpret_cast<FakeShowWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  self->received.push_back({message, wParam});
  switch (message) {
    case WM_PRINTCLIENT:
      ++self->printClientCount;
      self->Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT: {
      ScopedPaint paint(window);
      self->Paint(paint.get());
      return 0;
    }
    case WM_KEYUP:
      if (wParam == VK_SPACE) ++self->slide;
      return 0x77;
    case WM_LBUTTONUP:
      ++self->slide;
      return 0x78;
    default:
      if (message >= WM_APP && message < WM_APP + 0x100) return ResultFor(message);
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

HRESULT FakeSlideShowWindow::get_HWND(LONG* hwnd) {
  ++calls_;
  if (failHwnd) return E_FAIL;
  *hwnd = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_));
  return S_OK;
}

}  // namespace tandry::testing
