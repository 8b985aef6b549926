// The program's own main window (not the show): a real Win32 menu bar made from the command
// bars, rebuilt at every change, whose chosen items raise Click on their buttons' sinks; the
// window shows the first slide of the presentation in front.
#pragma once

#include <windows.h>

#include <functional>

#include "ApplicationObject.h"
#include "CommandBarObjects.h"
#include "ScopedWin.h"

namespace tandry::standin {

inline constexpr wchar_t kMainWindowClass[] = L"StandinMainWindow";

class MainWindow final : private MenuView {
 public:
  // Makes the visible window on the primary monitor. `close` runs when the user closes it
  // (the close command or the File menu's Exit); it is up to `close` to destroy the window.
  MainWindow(ApplicationObject& app, std::function<void()> close);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND get() const { return window_.get(); }
  void Destroy();

 private:
  void CommandBarsChanged() override;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Choose(int key);
  void Paint();

  ScopedComPtr<ApplicationObject> app_;
  std::function<void()> close_;
  ScopedWindow window_;
};

}  // namespace tandry::standin
