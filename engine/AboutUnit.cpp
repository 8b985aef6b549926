#include "AboutUnit.h"

#include <shellapi.h>

#include <string>

#include "Contained.h"

namespace tandry {

namespace {

constexpr char kHomePage[] = "https://www.example.com/tandry/";
constexpr char kSupportMail[] = "mailto:support@example.org";
constexpr char kProductCaption[] = "Tandry";
constexpr char kVersionCaption[] = "Version 4.2";

// Pixels at 96 pixels per inch. The panel holds the picture and the labels, whose positions
// are given inside it.
constexpr int kClientWidth = 434;
constexpr int kClientHeight = 241;
constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 8;

enum ControlId { kPanel1 = 1001, kImage1, kProductLabel, kLabel1, kNoticeLabel };

std::string LoadText(UINT id) {
  char buffer[256];
  const int length = ::LoadStringA(ThisModule(), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

SIZE TextSize(HWND control, HFONT font, const std::string& text) {
  ScopedGetDC dc(control);
  ScopedSelect selected(dc.get(), font);
  RECT bounds{};
  ::DrawTextA(dc.get(), text.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return SIZE{bounds.right, bounds.bottom};
}

// Client area of the given size, centred on the primary screen.
void SizeAndCentre(HWND dialog) {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongA(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(dialog, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR HandleMessage(TAboutForm& form, HWND dialog, UINT message, WPARAM wParam,
                      LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      form.FormCreate(dialog);
      return FALSE;  // the OK button already has the focus
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Escape presses the OK button too
          form.OKButtonClick();
          return TRUE;
        case kProductLabel:
          if (HIWORD(wParam) == STN_CLICKED) form.ProductLabelClick();
          return TRUE;
        case kNoticeLabel:
          if (HIWORD(wParam) == STN_CLICKED) form.NoticeLabelClick();
          return TRUE;
      }
      return FALSE;
    case WM_SETCURSOR:
      if (!form.IsLink(reinterpret_cast<HWND>(wParam))) return FALSE;
      ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
      ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != kImage1) return FALSE;
      form.DrawImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* form = reinterpret_cast<TAboutForm*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  if (!form) return FALSE;
  return Contained(INT_PTR{FALSE},
                   [&] { return HandleMessage(*form, dialog, message, wParam, lParam); });
}

// The calling thread's active window, which owns the box so that the box stays in front of it
// and it gets the activation back; null when the thread has none.
HWND ActiveWindowOfThisThread() {
  const HWND active = ::GetActiveWindow();
  return active && ::GetWindowThreadProcessId(active, nullptr) == ::GetCurrentThreadId()
             ? active
             : nullptr;
}

}  // namespace

// Modal as a form is: no other window of the calling thread takes input while the box is up.
void TAboutForm::ShowModal() {
  const HWND owner = ActiveWindowOfThisThread();
  OtherThreadWindowsDisabled others(owner);
  ::DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc,
                    reinterpret_cast<LPARAM>(this));
}

void TAboutForm::FormCreate(HWND dialog) {
  dialog_ = dialog;
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA bold{};
  ::GetObjectA(font, sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  boldFont_.reset(::CreateFontIndirectA(&bold));
  picture_.reset(static_cast<HBITMAP>(::LoadImageA(
      ThisModule(), MAKEINTRESOURCEA(IDB_ABOUT_PICTURE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));

  // Labels of width 0 take the size of their text.
  AddControl("STATIC", "", SS_OWNERDRAW, kImage1, 16, 16, 32, 32, font);
  AddControl("STATIC", kProductCaption, SS_NOTIFY, kProductLabel, 64, 16, 0, 0, boldFont_.get());
  AddControl("STATIC", kVersionCaption, 0, kLabel1, 64, 32, 0, 0, font);
  AddControl("STATIC", LoadText(IDS_ABOUT_NOTICE).c_str(), SS_NOTIFY, kNoticeLabel, 64, 96, 0,
             0, font);
  const HWND panel = AddControl("STATIC", "", SS_ETCHEDFRAME, kPanel1, 0, 0, 417, 193, font);
  ::SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const HWND ok = ::CreateWindowExA(
      0, "BUTTON", LoadText(IDS_ABOUT_OK).c_str(),
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 352, 208, 73, 25, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), ThisModule(), nullptr);
  ::SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  ::SetWindowTextA(dialog, LoadText(IDS_ABOUT_CAPTION).c_str());
  SizeAndCentre(dialog);
  ::SetFocus(ok);
}

// A control of the panel, at a position inside it.
HWND TAboutForm::AddControl(const char* windowClass, const char* caption, DWORD style, int id,
                            int left, int top, int width, int height, HFONT font) {
  const HWND control = ::CreateWindowExA(
      0, windowClass, caption, WS_CHILD | WS_VISIBLE | style, kPanelLeft + left, kPanelTop + top,
      width, height, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(),
      nullptr);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (width == 0) {
    const SIZE size = TextSize(control, font, caption);
    ::SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return control;
}

// A failing ShellExecuteA (no program for web or mail links) goes unnoticed; the box stays.
void TAboutForm::ProductLabelClick() {
  ::ShellExecuteA(dialog_, "open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

void TAboutForm::NoticeLabelClick() {
  ::ShellExecuteA(dialog_, "open", kSupportMail, nullptr, nullptr, SW_SHOWNORMAL);
}

void TAboutForm::OKButtonClick() { ::EndDialog(dialog_, IDOK); }

bool TAboutForm::IsLink(HWND control) const {
  return control && (control == ::GetDlgItem(dialog_, kProductLabel) ||
                     control == ::GetDlgItem(dialog_, kNoticeLabel));
}

void TAboutForm::DrawImage(const DRAWITEMSTRUCT& item) const {
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  if (!picture_) return;
  BITMAP size{};
  ::GetObjectA(picture_.get(), sizeof size, &size);
  ScopedMemDC memory(::CreateCompatibleDC(item.hDC));
  ScopedSelect selected(memory.get(), picture_.get());
  const COLORREF transparent = ::GetPixel(memory.get(), 0, size.bmHeight - 1);
  ::GdiTransparentBlt(item.hDC, item.rcItem.left, item.rcItem.top, size.bmWidth, size.bmHeight,
                      memory.get(), 0, 0, size.bmWidth, size.bmHeight, transparent);
}

}  // namespace tandry

TANDRYCORE_API void __stdcall ShowAboutForm() {
  tandry::Contained([] {
    tandry::TAboutForm form;
    form.ShowModal();
  });
}
