// The slide windows: one slide covering a monitor, four slides in a grid, or the shared screen's
// three slides and notes beside the show window. Frameless top-most popups that never take the
// activation, so the show window stays in front (the engine's hot keys live only while it is).
// Each slide is scaled once, when it is loaded, to the size it is drawn at, and a slide that a
// window holds already is taken, not read again; a paint copies the prepared pixels and fills
// the rest black, every pixel once, so it needs no back buffer.
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
    // The slide number on its plate, drawn over the top-left corner of the image.
    PixelBuffer plate;
    Rect plateArea;
  };

  SlidePane(PaneKind kind, bool withNotes) : kind_(kind), withNotes_(withNotes) {}
  bool OpenOn(const Rect& screen);
  // Makes `image` show `file` in `cell`; false when it shows nothing.
  bool Show(SlideImage& image, const SlideFile& file, const Rect& cell);
  void ShareMonitorWith(HWND showWindow, const Rect& monitor);
  // Positions, notes band and every shown slide for the window's current size.
  void Relayout();
  void FitNotesFont();

  void Paint(HDC dc, const Rect& client) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  const PaneKind kind_;
  const bool withNotes_;
  Rect laidOutFor_;  // the client area that layout_ was made for
  PaneLayout layout_;
  std::vector<Position> positions_;
  LoadScratch scratch_;
  // The image the last load replaced, in a window of several positions.
  SlideImage aside_;
  std::wstring notes_;
  int notesFontHeight_ = kNotesBandMinFontHeight;
  // Shared screen: the show window and where it was before it was given its part.
  HWND showWindow_ = nullptr;
  RECT showWindowWas_{};
};

}  // namespace larkpane
