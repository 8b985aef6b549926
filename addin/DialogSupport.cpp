// The add-in's Win32 dialogs: the window from an in-memory template, the controls from the
// layout rows, the shared dialog procedure, the controls interface and the modal show.
#include "DialogSupport.h"

#include <cstdint>
#include <string>

#include "Contained.h"

namespace tandry::addin {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 texts pass to the W functions as is");

namespace {

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The window class, styles and extended styles of each kind of control.
struct KindStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

KindStyle StyleOf(ControlKind kind) {
  constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
  switch (kind) {
    case ControlKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Label:
      return {L"STATIC", SS_LEFT, 0};
    case ControlKind::DropDownList:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | kTabStop, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | kTabStop, 0};
    case ControlKind::ListBox:
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | kTabStop,
              WS_EX_CLIENTEDGE};
    case ControlKind::DefaultButton:
      return {L"BUTTON", BS_DEFPUSHBUTTON | kTabStop, 0};
    case ControlKind::Button:
    case ControlKind::CancelButton:
    case ControlKind::ArrowButton:
      return {L"BUTTON", BS_PUSHBUTTON | kTabStop, 0};
    case ControlKind::PasswordBox:
      return {L"EDIT", ES_PASSWORD | ES_AUTOHSCROLL | kTabStop, WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

// The messages that do the same for a list box and for a combo box.
struct ListMessages {
  UINT reset, add, remove, text, textLength, count, selection, select;
};

constexpr ListMessages kListBox{LB_RESETCONTENT, LB_ADDSTRING, LB_DELETESTRING, LB_GETTEXT,
                                LB_GETTEXTLEN,   LB_GETCOUNT,  LB_GETCURSEL,    LB_SETCURSEL};
constexpr ListMessages kComboBox{CB_RESETCONTENT, CB_ADDSTRING, CB_DELETESTRING, CB_GETLBTEXT,
                                 CB_GETLBTEXTLEN, CB_GETCOUNT,  CB_GETCURSEL,    CB_SETCURSEL};

const ListMessages& ListMessagesOf(const ControlRow* row) {
  return row && row->kind == ControlKind::DropDownList ? kComboBox : kListBox;
}

// Whether a notification is the user's click or selection change for a control of this kind.
bool IsUserAction(ControlKind kind, int notification) {
  switch (kind) {
    case ControlKind::ListBox:
      return notification == LBN_SELCHANGE;
    case ControlKind::CheckBox:
    case ControlKind::Button:
    case ControlKind::DefaultButton:
    case ControlKind::CancelButton:
    case ControlKind::ArrowButton:
      return notification == BN_CLICKED;
    default:
      return false;
  }
}

int WindowHeight(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

// A drop-down list takes its closed height from its selection field; the field is set until the
// closed box has the height wanted (the field's reported and set heights need not agree).
void FitClosedHeight(HWND combo, int height) {
  LRESULT field = ::SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0);
  for (int attempt = 0; attempt < 3 && field > 0 && WindowHeight(combo) != height; ++attempt) {
    field += height - WindowHeight(combo);
    ::SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), field);
  }
}

int ScreenDpi() {
  ScopedGetDC screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : 96;
}

// A dialog template without controls: caption, styles and the dialog font; the size is set in
// pixels once the window exists.
std::vector<WORD> DialogTemplate(const std::u16string& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  header->dwExtendedStyle = WS_EX_DLGMODALFRAME;
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  auto append = [&words](std::u16string_view text) {
    words.insert(words.end(), text.begin(), text.end());
    words.push_back(0);
  };
  append(caption);
  words.push_back(8);  // points
  append(u"MS Shell Dlg");
  return words;
}

}  // namespace

HiddenOwner::HiddenOwner()
    : window_(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ThisModule(), nullptr)) {}

INT_PTR CALLBACK DialogThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<Win32Dialog*>(lParam)->window_.reset(window);
  }
  auto* dialog = reinterpret_cast<Win32Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (!dialog) return FALSE;
  return Contained(INT_PTR{FALSE}, [&] { return dialog->HandleMessage(message, wParam, lParam); });
}

Win32Dialog::Win32Dialog(const DialogLayout& layout, HWND owner)
    : layout_(layout), owner_(owner), dpi_(ScreenDpi()) {
  symbolFont_.reset(::CreateFontW(-::MulDiv(825, dpi_, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                  FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH, L"Wingdings"));
  const std::vector<WORD> dialogTemplate = DialogTemplate(layout.caption);
  ::CreateDialogIndirectParamW(ThisModule(),
                               reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                               DialogThunk, reinterpret_cast<LPARAM>(this));
}

INT_PTR Win32Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CreateControls();
      return FALSE;  // the focus is set when the dialog is shown
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:  // the window's close command: no handler runs
      EndModal();
      return TRUE;
    case WM_DESTROY:
      shown_ = false;
      return FALSE;
  }
  return FALSE;
}

void Win32Dialog::CreateControls() {
  RECT frame{0, 0, ScaledLength(layout_.clientWidth, dpi_),
             ScaledLength(layout_.clientHeight, dpi_)};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(window(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(window(), GWL_EXSTYLE)));
  ::SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  const auto dialogFont = static_cast<WPARAM>(::SendMessageW(window(), WM_GETFONT, 0, 0));
  for (const ControlRow& row : layout_.rows) {
    const KindStyle kind = StyleOf(row.kind);
    const Box box = ClientBox(layout_, row, dpi_);
    // A drop-down list's window also holds its open list.
    const int height = row.kind == ControlKind::DropDownList ? box.height * 8 : box.height;
    const HWND control = ::CreateWindowExW(
        kind.exStyle, kind.windowClass, Wide(row.caption), WS_CHILD | WS_VISIBLE | kind.style,
        box.left, box.top, box.width, height, window(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), ThisModule(), nullptr);
    const bool symbol = row.kind == ControlKind::ArrowButton && symbolFont_;
    ::SendMessageW(control, WM_SETFONT,
                   symbol ? reinterpret_cast<WPARAM>(symbolFont_.get()) : dialogFont, FALSE);
    if (row.kind == ControlKind::PasswordBox) ::SendMessageW(control, EM_SETPASSWORDCHAR, L'*', 0);
    if (row.kind == ControlKind::DefaultButton) ::SendMessageW(window(), DM_SETDEFID, row.id, 0);
    if (row.kind == ControlKind::DropDownList) FitClosedHeight(control, box.height);
  }
}

// Enter and Escape arrive as IDOK and IDCANCEL when no button of that id exists.
void Win32Dialog::Command(int id, int notification) {
  for (const ControlRow& row : layout_.rows) {
    const bool enter = id == IDOK && row.kind == ControlKind::DefaultButton;
    const bool escape = id == IDCANCEL && row.kind == ControlKind::CancelButton;
    const bool own = id == row.id && IsUserAction(row.kind, notification);
    if ((enter || escape || own) && shown_ && model_ && ::IsWindowEnabled(Item(row.id))) {
      model_->Click(row.id);
      return;
    }
  }
}

const ControlRow* Win32Dialog::RowOf(ControlId control) const {
  for (const ControlRow& row : layout_.rows) {
    if (row.id == control) return &row;
  }
  return nullptr;
}

LRESULT Win32Dialog::Send(ControlId control, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessageW(window(), control, message, wParam, lParam);
}

void Win32Dialog::Centre() {
  RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (layout_.placement == Placement::CentreOnOwner && owner_) ::GetWindowRect(owner_, &area);
  RECT own{};
  ::GetWindowRect(window(), &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  ::SetWindowPos(window(), nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Dialog::EndModal() {
  shown_ = false;
  ::PostMessageW(window(), WM_NULL, 0, 0);
}

void Win32Dialog::ShowModal() {
  if (!window()) return;
  Centre();
  shown_ = true;
  {
    const NestedStack<Win32Dialog*>::Entry shown(shownDialogs_, this);
    OtherThreadWindowsDisabled others(window());
    ::ShowWindow(window(), SW_SHOW);
    if (const HWND first = ::GetNextDlgTabItem(window(), nullptr, FALSE)) {
      ::SendMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    }
    MSG message;
    while (shown_) {
      const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) {
        ::PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that called us
        break;
      }
      if (got < 0) break;
      if (!::IsDialogMessageW(window(), &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
    }
    shown_ = false;
  }
  // The windows behind are enabled again first, so that one of them takes the activation.
  ::ShowWindow(window(), SW_HIDE);
}

void Win32Dialog::EndAllShown() {
  shownDialogs_.ForEach([](Win32Dialog* dialog) { dialog->EndModal(); });
}

void Win32Dialog::SetCaption(ControlId control, const std::u16string& caption) {
  ::SetDlgItemTextW(window(), control, Wide(caption));
}

std::u16string Win32Dialog::Caption(ControlId control) {
  const HWND item = Item(control);
  std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(item)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(item, reinterpret_cast<wchar_t*>(text.data()), int(text.size()))));
  return text;
}

// A control that loses its enabled state while it has the focus passes the focus on first, so
// that the keyboard keeps working in the dialog.
void Win32Dialog::SetEnabled(ControlId control, bool enabled) {
  const HWND item = Item(control);
  if (!enabled && item && ::GetFocus() == item) ::SendMessageW(window(), WM_NEXTDLGCTL, 0, FALSE);
  ::EnableWindow(item, enabled);
}

bool Win32Dialog::Checked(ControlId control) { return Send(control, BM_GETCHECK) == BST_CHECKED; }

void Win32Dialog::SetChecked(ControlId control, bool checked) {
  Send(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Dialog::ClearItems(ControlId control) {
  Send(control, ListMessagesOf(RowOf(control)).reset);
}

void Win32Dialog::AddItem(ControlId control, const std::u16string& text) {
  Send(control, ListMessagesOf(RowOf(control)).add, 0, reinterpret_cast<LPARAM>(Wide(text)));
}

// The selection stays on the same item, or goes when that item goes, whatever the list's own
// habit is.
void Win32Dialog::RemoveItem(ControlId control, int index) {
  const ListMessages& list = ListMessagesOf(RowOf(control));
  if (index < 0 || index >= ItemCount(control)) return;
  const int selected = Selection(control);
  Send(control, list.remove, WPARAM(index));
  const int kept = selected == index ? kNoSelection : selected > index ? selected - 1 : selected;
  Send(control, list.select, WPARAM(kept));
}

std::u16string Win32Dialog::ItemText(ControlId control, int index) {
  const ListMessages& list = ListMessagesOf(RowOf(control));
  const LRESULT length = Send(control, list.textLength, WPARAM(index));
  if (length < 0) return u"";
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const LRESULT copied =
      Send(control, list.text, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
  return text;
}

int Win32Dialog::ItemCount(ControlId control) {
  const LRESULT count = Send(control, ListMessagesOf(RowOf(control)).count);
  return count < 0 ? 0 : static_cast<int>(count);
}

int Win32Dialog::Selection(ControlId control) {
  const LRESULT selected = Send(control, ListMessagesOf(RowOf(control)).selection);
  return selected < 0 ? kNoSelection : static_cast<int>(selected);
}

void Win32Dialog::SetSelection(ControlId control, int index) {
  Send(control, ListMessagesOf(RowOf(control)).select, WPARAM(index));
}

void Win32Dialog::SetMasked(ControlId control, bool masked) {
  Send(control, EM_SETPASSWORDCHAR, masked ? L'*' : 0);
  ::InvalidateRect(Item(control), nullptr, TRUE);
}

void Win32Dialog::SetFocus(ControlId control) {
  ::SendMessageW(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(control)), TRUE);
}

}  // namespace tandry::addin
