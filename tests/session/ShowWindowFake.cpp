#include "ShowWindowFake.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

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

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

std::uint16_t Read16(const std::string& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
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

HRESULT FakeSlideShowWindow::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, IID_SlideShowWindow)) {
    *object = static_cast<ISlideShowWindow*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT FakeSlideShowWindow::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT FakeSlideShowWindow::get_HWND(LONG* hwnd) {
  if (failHwnd) return E_FAIL;
  *hwnd = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_));
  return S_OK;
}

HRESULT PlainDispatch::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT PlainDispatch::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

VARIANT DispatchVariant(IDispatch* object) {
  VARIANT variant;
  ::VariantInit(&variant);
  V_VT(&variant) = VT_DISPATCH;
  V_DISPATCH(&variant) = object;
  return variant;
}

COLORREF BitmapFilePixel(const char* path, int x, int y, SIZE* size) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return CLR_INVALID;
  const std::uint32_t offset = Read32(bytes, 10);
  const auto width = static_cast<std::int32_t>(Read32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Read32(bytes, 22));
  const std::uint16_t bits = Read16(bytes, 28);
  if (Read32(bytes, 30) != BI_RGB || (bits != 24 && bits != 32) || width <= 0 || height == 0)
    return CLR_INVALID;
  const int rows = height > 0 ? height : -height;
  if (size) *size = SIZE{width, rows};
  if (x < 0 || y < 0 || x >= width || y >= rows) return CLR_INVALID;
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  const std::size_t row = height > 0 ? rows - 1 - y : y;
  const std::size_t at = offset + row * stride + static_cast<std::size_t>(x) * (bits / 8);
  if (at + 3 > bytes.size()) return CLR_INVALID;
  const auto byte = [&](std::size_t i) { return static_cast<BYTE>(bytes[at + i]); };
  return RGB(byte(2), byte(1), byte(0));
}

bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

struct WindowSearch {
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<WindowSearch*>(search);
  if (window != s->except && ::IsWindowVisible(window)) s->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ThreadWindows(HWND except) {
  WindowSearch search{except, {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tandry::testing
