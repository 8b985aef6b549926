// The modal about box. The resource script includes this header for the identifiers.
#pragma once

#define IDD_ABOUT 100
#define IDB_ABOUT_PICTURE 101
#define IDS_ABOUT_OK 102
#define IDS_ABOUT_CAPTION 103
#define IDS_ABOUT_NOTICE 104

#ifndef RC_INVOKED

#include <windows.h>

#include "ScopedWin.h"
#include "tandrycore.h"

namespace tandry {

// One display of the about box: created, shown modally, freed.
class TAboutForm {
 public:
  TAboutForm() = default;
  TAboutForm(const TAboutForm&) = delete;
  TAboutForm& operator=(const TAboutForm&) = delete;

  void ShowModal();

  // Handlers of the box's dialog procedure.
  void FormCreate(HWND dialog);
  void ProductLabelClick();
  void NoticeLabelClick();
  void OKButtonClick();
  // The picture, drawn with its bottom-left pixel's colour left out.
  void DrawImage(const DRAWITEMSTRUCT& item) const;
  bool IsLink(HWND control) const;

 private:
  HWND AddControl(const char* windowClass, const char* caption, DWORD style, int id, int left,
                  int top, int width, int height, HFONT font);

  HWND dialog_ = nullptr;
  ScopedGdiObj<HFONT> boldFont_;
  ScopedGdiObj<HBITMAP> picture_;
};

}  // namespace tandry

#endif  // RC_INVOKED
