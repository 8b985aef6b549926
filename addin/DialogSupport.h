// What the add-in's three Win32 dialogs share: a loaded dialog window made from its layout table
// (one control per row, at the row's box scaled to the screen's dots per inch), one dialog
// procedure for all of them that passes the user's clicks and selections to the dialog's model,
// the controls as the model sets and reads them, and the modal show.
#pragma once

#include <windows.h>

#include "DialogControls.h"
#include "DialogLayouts.h"
#include "NestedStack.h"
#include "ScopedWin.h"

namespace tandry::addin {

using ScopedFont = ScopedGdiObj<HFONT>;

// A hidden window that owns an otherwise ownerless dialog, so that the dialog gets no task-bar
// entry.
class HiddenOwner {
 public:
  HiddenOwner();
  HWND get() const { return window_.get(); }

 private:
  ScopedWindow window_;
};

// One loaded dialog: its window, hidden until shown, with the controls of its layout. While it
// is shown, clicks, check box changes and list selections of enabled controls go to the
// attached model (Enter to the default button, Escape to the cancel button); the window's close
// command ends the modal show without any handler. Destroying the object unloads the window.
class Win32Dialog final : public DialogControls {
 public:
  Win32Dialog(const DialogLayout& layout, HWND owner);
  // The model, made over this dialog's controls, that answers the user's actions.
  void Attach(DialogModel& model) { model_ = &model; }
  Win32Dialog(const Win32Dialog&) = delete;
  Win32Dialog& operator=(const Win32Dialog&) = delete;

  HWND window() const { return window_.get(); }
  // Centres the dialog (on the screen or over its owner), shows it with the first control that
  // takes the focus focused, and runs its messages until the model hides it or the window is
  // closed; then hides it. Meanwhile every other window of the thread is disabled, so the dialog
  // is modal over the presentation program and over the dialog that opened it. The dialog stays
  // loaded, so that its caller can read it.
  void ShowModal();
  // Ends the modal show of every dialog that is shown, as the window's close command does: the
  // add-in is shut down while it waits in them. Each show returns once the message at hand is
  // handled, the innermost first.
  static void EndAllShown();

  void SetCaption(ControlId control, const std::u16string& caption) override;
  std::u16string Caption(ControlId control) override;
  void SetEnabled(ControlId control, bool enabled) override;
  bool Checked(ControlId control) override;
  void SetChecked(ControlId control, bool checked) override;
  void ClearItems(ControlId control) override;
  void AddItem(ControlId control, const std::u16string& text) override;
  void RemoveItem(ControlId control, int index) override;
  std::u16string ItemText(ControlId control, int index) override;
  int ItemCount(ControlId control) override;
  int Selection(ControlId control) override;
  void SetSelection(ControlId control, int index) override;
  void SetMasked(ControlId control, bool masked) override;
  void SetFocus(ControlId control) override;
  void Hide() override { EndModal(); }

 private:
  friend INT_PTR CALLBACK DialogThunk(HWND, UINT, WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Command(int id, int notification);
  const ControlRow* RowOf(ControlId control) const;
  HWND Item(ControlId control) const { return ::GetDlgItem(window_.get(), control); }
  LRESULT Send(ControlId control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void Centre();
  // Ends the modal show once the message at hand is handled; the loop may be waiting for the
  // next message, so one is posted.
  void EndModal();

  const DialogLayout& layout_;
  DialogModel* model_ = nullptr;
  HWND owner_;
  int dpi_ = 96;
  ScopedFont symbolFont_;  // the arrow buttons' font, freed after the window that uses it
  ScopedWindow window_;
  bool shown_ = false;

  // The dialogs whose modal show runs now, nested in one another on the add-in's thread.
  static inline NestedStack<Win32Dialog*> shownDialogs_;
};

}  // namespace tandry::addin
