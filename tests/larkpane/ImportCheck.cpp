// Built, not run: calls every larkpane function through the import library.
#include "larkpane.h"

int main() {
  LarkScreenHandle handle = CreateSlideShow(0, 0, 1920, 1080);
  LoadSlide(1, handle, nullptr, 0);
  DestroySlideShow(handle);
  handle = CreateSlideShowSingleScreen(0, 0, 1920, 1080, 0);
  LoadSlideSingleScreen(1, 1, handle, nullptr, 0);
  DestroySlideShowSingleScreen(handle);
  handle = CreateSlideShowSharedSingleScreen(0, nullptr, 0);
  LoadNotesSingleScreen(1, handle, L"");
  LoadSlideSharedSingleScreen(1, 1, handle, nullptr, 0);
  DestroySlideShowSharedSingleScreen(handle);
  handle = CreateNotesView(0, 0, 1920, 1080);
  SetNotesTitle(handle, L"");
  SetNotesText(handle, L"");
  ShowNotesView(handle);
  HideNotesView(handle);
  DestroyNotesView(handle);
  return 0;
}
