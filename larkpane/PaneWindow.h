// The Win32 side shared by every larkpane window: the window classes, one window procedure that
// hands messages to the pane object behind the window, painting for WM_PAINT and WM_PRINTCLIENT
// alike (through an off-screen buffer where a pane draws over its own pixels), and the text
// drawing of the notes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "PaneLayout.h"
#include "PixelBuffer.h"
#include "ScopedWin.h"

namespace larkpane {

// Window class names; tests look windows up by them.
inline constexpr char kSlideClassName[] = "LarkPaneSlides";
inline constexpr char kNotesClassName[] = "LarkPaneNotes";

// The colours of text on larkpane's black background.
inline constexpr COLORREF kTextColour = RGB(235, 235, 235);
inline constexpr COLORREF kTitleColour = RGB(255, 214, 110);

class PaneWindow {
 public:
  virtual ~PaneWindow();
  PaneWindow(const PaneWindow&) = delete;
  PaneWindow& operator=(const PaneWindow&) = delete;

  // 0 once the window is gone (destroyed by someone else); the pane then does nothing.
  HWND Window() const { return window_.get(); }

 protected:
  PaneWindow() = default;

  // Opens the window over `screen` (pixels of the virtual desktop), hidden, top-most and never
  // activated; false on failure.
  bool Open(const char* className, DWORD style, const Rect& screen);
  Rect ClientArea() const;
  // Repaint of `area` (client pixels) at the next paint: loads run while the desktop's updates
  // are locked, so nothing is drawn at once.
  void Invalidate(const Rect& area) const;
  void InvalidateAll() const;

  // Paints the whole `client` area onto `dc`; what reaches the screen is what `dc` shows, so
  // no pixel may be drawn twice (the first drawing could be seen).
  virtual void Paint(HDC dc, const Rect& client) = 0;
  // Paints `area` of `target` with `draw`, which draws in client coordinates onto an off-screen
  // buffer that is then copied: for drawing that layers text over a background.
  void PaintBuffered(HDC target, const Rect& area, const std::function<void(HDC)>& draw);
  // Messages a pane handles itself; true when `result` is the answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintClient(HDC target);

  // Kept from paint to paint, for PaintBuffered.
  PixelBuffer backBuffer_;
  tandry::ScopedWindow window_;
};

// Text drawing shared by the notes view and the shared screen's notes: word-wrapped UTF-16 text
// with CR LF line breaks, in a sans-serif font of a given pixel height.
tandry::ScopedGdiObj<HFONT> MakeFont(int height, bool bold);
// Height in pixels that `text` takes when wrapped to `width`.
int MeasureText(HDC dc, HFONT font, const std::wstring& text, int width);
// Draws `text` wrapped to `area`'s width, starting `scroll` pixels above its top, clipped to
// `area`.
void DrawTextBlock(HDC dc, HFONT font, COLORREF colour, const std::wstring& text,
                   const Rect& area, int scroll = 0);
// A UTF-16 argument as text to draw: nil is empty, line breaks as CR LF.
std::wstring NotesFromArgument(const wchar_t* text);

}  // namespace larkpane
