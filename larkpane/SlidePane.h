// The slide windows: one slide covering a monitor, four slides in a grid, or the shared screen's
// three slides and notes beside the show window. Frameless top-most popups that never take the
// activation, so the show window stays in front (the engine's hot keys live only while it is).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "PaneWindow.h"
#include "SlideImage.h"

namespace larkpane {

class SlidePane final : public PaneWindow {
 public:
  // A slide window of `kind` over `screen`, shown; null when no window could be made.
  static std::unique_ptr<SlidePane> Create(PaneKind kind, const Rect& screen, bool withNotes);
  // The shared-screen window on the monitor of `showWindow`; null when it is no window.
  static std::unique_ptr<SlidePane> CreateShared(HWND showWindow, bool withNotes);
  ~SlidePane() override;

  // Shows slide `slideNumber` from the BMP file at `path` in `position` (from 1); a number of
  // 0 or less, a nil path or no readable BMP empties the position. Positions outside the
  // window's are ignored.
  void LoadSlide(int position, int slideNumber, const char* path);
  // The shared screen's notes text; ignored by a window without notes.
  void LoadNotes(const wchar_t* text);

 private:
  struct Position {
    int slideNumber = 0;
    SlideImage image;
  };

  SlidePane(PaneKind kind, bool withNotes) : kind_(kind), withNotes_(withNotes) {}
  bool OpenOn(const Rect& screen);
  void ShareMonitorWith(HWND showWindow, const Rect& monitor);
  void FitNotesFont();

  void Paint(HDC dc, int width, int height) override;
  void PaintPosition(HDC dc, const Position& position, const Rect& cell) const;

  const PaneKind kind_;
  const bool withNotes_;
  PaneLayout layout_;
  std::vector<Position> positions_;
  std::wstring notes_;
  int notesFontHeight_ = kNotesBandMinFontHeight;
  // Shared screen: the show window and where it was before it was given its part.
  HWND showWindow_ = nullptr;
  RECT showWindowWas_{};
};

}  // namespace larkpane
