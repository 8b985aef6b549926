#include "MainWindow.h"

#include <string>

#include "Monitors.h"
#include "PresentationObject.h"
#include "SlidePainter.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

constexpr int kExitCommandId = 752;  // the File menu's Exit

// The menu bar of `bars`: one popup per popup control, a separator before each control that
// begins a group, and the control's key as its command id.
HMENU BuildMenu(const CommandBarSet& bars) {
  const HMENU bar = CreateMenu();
  for (const Control& popup : bars.menuBar()) {
    const HMENU items = CreatePopupMenu();
    bool first = true;
    for (const Control& control : popup.controls) {
      if (control.beginGroup && !first) AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(items, MF_STRING, static_cast<UINT_PTR>(control.key),
                  Widen(control.caption).c_str());
      first = false;
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(items), Widen(popup.caption).c_str());
  }
  return bar;
}

std::wstring TitleOf(const ApplicationObject& app) {
  const PresentationObject* active = app.activePresentation();
  return active ? L"Stand-in - " + Widen(active->name()) : std::wstring(L"Stand-in");
}

}  // namespace

MainWindow::MainWindow(ApplicationObject& app, std::function<void()> close)
    : app_(&app), close_(std::move(close)) {
  app.AddRef();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly once registered

  RECT primary{0, 0, 1280, 800};
  MonitorRectByIndex(0, primary);
  CreateWindowExW(0, kMainWindowClass, TitleOf(app).c_str(), WS_OVERLAPPEDWINDOW,
                  primary.left + 64, primary.top + 48, 1280, 800, nullptr,
                  BuildMenu(app.commandBars().bars()), GetModuleHandleW(nullptr), this);
  if (!window_) return;
  app.commandBars().SetView(this);
  ShowWindow(window_.get(), SW_SHOW);
  UpdateWindow(window_.get());
}

MainWindow::~MainWindow() { Destroy(); }

void MainWindow::Destroy() {
  app_->commandBars().SetView(nullptr);
  window_.reset();  // the menu goes with the window
}

void MainWindow::CommandBarsChanged() {
  const HMENU old = GetMenu(window_.get());
  SetMenu(window_.get(), BuildMenu(app_->commandBars().bars()));
  if (old) DestroyMenu(old);
  DrawMenuBar(window_.get());
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_.reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_.release();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {  // nothing may leave a window procedure
    return 0;
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) Choose(LOWORD(wParam));  // from the menu
      return 0;
    case WM_CLOSE:
      if (close_) close_();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return DefWindowProcW(window_.get(), message, wParam, lParam);
  }
}

// Click first; the built-in Exit then ends the program unless a sink cancelled it.
void MainWindow::Choose(int key) {
  const Control* control = app_->commandBars().bars().Find(key);
  if (!control) return;
  const bool exits = control->id == kExitCommandId;
  if (app_->commandBars().Click(key) && exits && close_) close_();
}

// The first slide of the presentation in front, in a 4:3 box.
void MainWindow::Paint() {
  ScopedPaint paint(window_.get());
  const PresentationObject* active = app_->activePresentation();
  if (!active || active->slideCount() == 0) return;
  RECT client;
  GetClientRect(window_.get(), &client);
  const int width = (client.right - 64) / 2;
  const int height = width * 3 / 4;
  POINT old;
  SetViewportOrgEx(paint.get(), 32, 32, &old);
  PaintSlide(paint.get(), width, height, active->slide(1)->data(), 1, 0);
  SetViewportOrgEx(paint.get(), old.x, old.y, nullptr);
}

}  // namespace tandry::standin
