// The sixteen exports of larkpane. Each one finds its window through the handle table (a handle
// of 0, an unknown or destroyed one, or one of another kind of window does nothing), runs on the
// caller's thread, and lets nothing escape to the caller.
//
// Backward (1 when the show moved back or stayed) changes nothing: every load reads its file
// afresh, because the engine rewrites a slide's file at each capture, and a window showing an
// earlier slide looks the same whichever way the show went.
#include "larkpane.h"

#include <memory>

#include "Contained.h"
#include "HandleTable.h"
#include "NotesView.h"
#include "PaneLayout.h"
#include "SlidePane.h"

namespace {

using larkpane::NotesView;
using larkpane::PaneKind;
using larkpane::PaneWindow;
using larkpane::SlidePane;

// Kept for the life of the process: windows still open when the process ends go with it.
larkpane::HandleTable<std::unique_ptr<PaneWindow>>& Panes() {
  static auto* panes = new larkpane::HandleTable<std::unique_ptr<PaneWindow>>();
  return *panes;
}

LarkScreenHandle Register(PaneKind kind, std::unique_ptr<PaneWindow> pane) {
  return pane ? Panes().Add(kind, std::move(pane)) : 0;
}

// The table's kind says which class the pane is: slide kinds hold SlidePane, Notes NotesView.
SlidePane* FindSlidePane(LarkScreenHandle handle, PaneKind kind) {
  std::unique_ptr<PaneWindow>* pane = Panes().Find(handle, kind);
  return pane != nullptr ? static_cast<SlidePane*>(pane->get()) : nullptr;
}

NotesView* FindNotesView(LarkScreenHandle handle) {
  std::unique_ptr<PaneWindow>* pane = Panes().Find(handle, PaneKind::Notes);
  return pane != nullptr ? static_cast<NotesView*>(pane->get()) : nullptr;
}

void Destroy(LarkScreenHandle handle, PaneKind kind) {
  // Out of the table before the window goes (when the taken pane is dropped), so nothing
  // reached from its messages finds it.
  Panes().Take(handle, kind);
}

}  // namespace

// A rectangle that can't be a monitor's (empty, negative or beyond GDI's range) opens nothing
// and returns 0, rather than a window at a made-up place.
LarkScreenHandle __stdcall CreateSlideShow(std::int32_t left, std::int32_t top,
                                           std::int32_t width, std::int32_t height) {
  return tandry::Contained(LarkScreenHandle{0}, [&] {
    if (!larkpane::IsUsableArea(left, top, width, height)) return 0;
    return Register(PaneKind::Slide,
                    SlidePane::Create(PaneKind::Slide, {left, top, width, height}, false));
  });
}

void __stdcall LoadSlide(std::int32_t slideNumber, LarkScreenHandle handle,
                         const char* bitmapPath, std::uint8_t /*backward*/) {
  tandry::Contained([&] {
    if (SlidePane* pane = FindSlidePane(handle, PaneKind::Slide)) {
      pane->LoadSlide(1, slideNumber, bitmapPath);
    }
  });
}

void __stdcall DestroySlideShow(LarkScreenHandle handle) {
  tandry::Contained([&] { Destroy(handle, PaneKind::Slide); });
}

// The notes flag is ignored: the four-slide window has no room for notes, which the notes view
// or the shared screen show.
LarkScreenHandle __stdcall CreateSlideShowSingleScreen(std::int32_t left, std::int32_t top,
                                                       std::int32_t width, std::int32_t height,
                                                       std::uint8_t /*notes*/) {
  return tandry::Contained(LarkScreenHandle{0}, [&] {
    if (!larkpane::IsUsableArea(left, top, width, height)) return 0;
    return Register(PaneKind::FourSlide, SlidePane::Create(PaneKind::FourSlide,
                                                           {left, top, width, height},
                                                           false));
  });
}

void __stdcall LoadSlideSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                     LarkScreenHandle handle, const char* bitmapPath,
                                     std::uint8_t /*backward*/) {
  tandry::Contained([&] {
    if (SlidePane* pane = FindSlidePane(handle, PaneKind::FourSlide)) {
      pane->LoadSlide(position, slideNumber, bitmapPath);
    }
  });
}

void __stdcall DestroySlideShowSingleScreen(LarkScreenHandle handle) {
  tandry::Contained([&] { Destroy(handle, PaneKind::FourSlide); });
}

// The window goes on the show window's own monitor, found from the window itself; the monitor
// index (the same monitor in the engine's list) is not needed for that. No show window, no
// shared screen: 0.
LarkScreenHandle __stdcall CreateSlideShowSharedSingleScreen(std::int32_t /*monitorIndex*/,
                                                             HWND showWindow,
                                                             std::uint8_t notes) {
  return tandry::Contained(LarkScreenHandle{0}, [&] {
    return Register(PaneKind::SharedScreen, SlidePane::CreateShared(showWindow, notes != 0));
  });
}

void __stdcall LoadSlideSharedSingleScreen(std::int32_t position, std::int32_t slideNumber,
                                           LarkScreenHandle handle, const char* bitmapPath,
                                           std::uint8_t /*backward*/) {
  tandry::Contained([&] {
    if (SlidePane* pane = FindSlidePane(handle, PaneKind::SharedScreen)) {
      pane->LoadSlide(position, slideNumber, bitmapPath);
    }
  });
}

// The slide number is not shown with the notes: the show itself shows that slide.
void __stdcall LoadNotesSingleScreen(std::int32_t /*slideNumber*/, LarkScreenHandle handle,
                                     const wchar_t* notes) {
  tandry::Contained([&] {
    if (SlidePane* pane = FindSlidePane(handle, PaneKind::SharedScreen)) pane->LoadNotes(notes);
  });
}

void __stdcall DestroySlideShowSharedSingleScreen(LarkScreenHandle handle) {
  tandry::Contained([&] { Destroy(handle, PaneKind::SharedScreen); });
}

LarkScreenHandle __stdcall CreateNotesView(std::int32_t left, std::int32_t top,
                                           std::int32_t width, std::int32_t height) {
  return tandry::Contained(LarkScreenHandle{0}, [&] {
    if (!larkpane::IsUsableArea(left, top, width, height)) return 0;
    return Register(PaneKind::Notes, NotesView::Create({left, top, width, height}));
  });
}

void __stdcall SetNotesTitle(LarkScreenHandle handle, const wchar_t* title) {
  tandry::Contained([&] {
    if (NotesView* view = FindNotesView(handle)) view->SetTitle(title);
  });
}

void __stdcall SetNotesText(LarkScreenHandle handle, const wchar_t* text) {
  tandry::Contained([&] {
    if (NotesView* view = FindNotesView(handle)) view->SetText(text);
  });
}

void __stdcall ShowNotesView(LarkScreenHandle handle) {
  tandry::Contained([&] {
    if (NotesView* view = FindNotesView(handle)) view->Show();
  });
}

void __stdcall HideNotesView(LarkScreenHandle handle) {
  tandry::Contained([&] {
    if (NotesView* view = FindNotesView(handle)) view->Hide();
  });
}

void __stdcall DestroyNotesView(LarkScreenHandle handle) {
  tandry::Contained([&] { Destroy(handle, PaneKind::Notes); });
}

// Unloaded while windows are open (FreeLibrary, not the end of the process): the windows go
// first, since their window procedure goes with the library.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    tandry::Contained([] { Panes().TakeAll(); });
  }
  return TRUE;
}
