#include "NotesView.h"

#include <algorithm>

namespace larkpane {

std::unique_ptr<NotesView> NotesView::Create(const Rect& screen) {
  std::unique_ptr<NotesView> view(new NotesView());
  if (!view->Open(kNotesClassName, WS_POPUP | WS_VSCROLL, screen)) return nullptr;
  view->Relayout();
  return view;
}

void NotesView::SetTitle(const wchar_t* title) {
  title_ = NotesFromArgument(title);
  InvalidateAll();
}

void NotesView::SetText(const wchar_t* text) {
  text_ = NotesFromArgument(text);
  scroll_.MoveTo(0);
  Relayout();
  InvalidateAll();
}

void NotesView::Show() {
  if (Window() != nullptr) ::ShowWindow(Window(), SW_SHOWNOACTIVATE);
}

void NotesView::Hide() {
  if (Window() != nullptr) ::ShowWindow(Window(), SW_HIDE);
}

void NotesView::Relayout() {
  const Rect client = ClientArea();
  const NotesViewLayout layout = LayoutNotesView(client.width, client.height);
  if (!titleFont_ || layout.titleFontHeight != layout_.titleFontHeight) {
    titleFont_ = MakeFont(layout.titleFontHeight, true);
  }
  if (!textFont_ || layout.textFontHeight != layout_.textFontHeight) {
    textFont_ = MakeFont(layout.textFontHeight, false);
  }
  layout_ = layout;
  int content = 0;
  if (tandry::ScopedMemDC dc(::CreateCompatibleDC(nullptr)); dc) {
    content = MeasureText(dc.get(), textFont_.get(), text_, layout_.text.width);
  }
  scroll_.SetExtent(content, layout_.text.height, layout_.textFontHeight);
  UpdateScrollBar();
}

void NotesView::UpdateScrollBar() {
  if (Window() == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  // Always shown, greyed out when everything fits, so the text's width never changes with it.
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(0, scroll_.Content() - 1);
  info.nPage = static_cast<UINT>(scroll_.Page());
  info.nPos = scroll_.Position();
  ::SetScrollInfo(Window(), SB_VERT, &info, TRUE);
}

void NotesView::ApplyScroll(bool moved) {
  if (!moved) return;
  UpdateScrollBar();
  InvalidateAll();
}

// The text scrolls under the title, so the view is drawn in layers, off the screen.
void NotesView::Paint(HDC dc, const Rect& client) {
  PaintBuffered(dc, client, [&](HDC buffer) { Draw(buffer, client.width, client.height); });
}

void NotesView::Draw(HDC dc, int width, int height) const {
  const RECT all{0, 0, width, height};
  const HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  ::FillRect(dc, &all, black);
  DrawTextBlock(dc, textFont_.get(), kTextColour, text_, layout_.text, scroll_.Position());
  // Text scrolled up past the top of its area is covered again by the title's band.
  const RECT titleBand{0, 0, width, layout_.text.top};
  ::FillRect(dc, &titleBand, black);
  const Rect& title = layout_.title;
  RECT titleRect{title.left, title.top, title.Right(), title.Bottom()};
  tandry::ScopedSelect select(dc, titleFont_.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kTitleColour);
  ::DrawTextW(dc, title_.c_str(), static_cast<int>(title_.size()), &titleRect,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

bool NotesView::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SIZE:
      Relayout();
      InvalidateAll();
      return true;
    case WM_VSCROLL:
      ApplyScroll(OnScrollBar(LOWORD(wParam)));
      return true;
    case WM_MOUSEWHEEL:
      ApplyScroll(scroll_.Wheel(GET_WHEEL_DELTA_WPARAM(wParam)));
      return true;
    default:
      return false;
  }
}

bool NotesView::OnScrollBar(WORD request) {
  switch (request) {
    case SB_LINEUP: return scroll_.Apply(ScrollAction::LineUp);
    case SB_LINEDOWN: return scroll_.Apply(ScrollAction::LineDown);
    case SB_PAGEUP: return scroll_.Apply(ScrollAction::PageUp);
    case SB_PAGEDOWN: return scroll_.Apply(ScrollAction::PageDown);
    case SB_TOP: return scroll_.Apply(ScrollAction::Top);
    case SB_BOTTOM: return scroll_.Apply(ScrollAction::Bottom);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit track position; the message carries only 16 bits of it.
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      return ::GetScrollInfo(Window(), SB_VERT, &info) && scroll_.MoveTo(info.nTrackPos);
    }
    default: return false;
  }
}

}  // namespace larkpane
