// The notes view: a title and the whole notes text of the current slide, in large type on
// black, scrolling with the scroll bar and the mouse wheel when the text is longer than the
// window. It is never activated, not even by a click, so the show stays in front and keeps its
// keys: the presenter's keys always move the show, never the notes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "NotesText.h"
#include "PaneWindow.h"

namespace larkpane {

class NotesView final : public PaneWindow {
 public:
  // A hidden notes view over `screen`; null when no window could be made.
  static std::unique_ptr<NotesView> Create(const Rect& screen);

  void SetTitle(const wchar_t* title);
  // New text starts at its top.
  void SetText(const wchar_t* text);
  void Show();
  void Hide();

 private:
  NotesView() = default;
  // Fonts and scroll range for the current size and text.
  void Relayout();
  void ApplyScroll(bool moved);
  void UpdateScrollBar();

  void Paint(HDC dc, const Rect& client) override;
  void Draw(HDC dc, int width, int height) const;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnScrollBar(WORD request);

  std::wstring title_;
  std::wstring text_;
  NotesViewLayout layout_;
  tandry::ScopedGdiObj<HFONT> titleFont_;
  tandry::ScopedGdiObj<HFONT> textFont_;
  ScrollModel scroll_;
};

}  // namespace larkpane
