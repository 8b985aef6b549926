// What the stand-in's Windows tests share: key presses on the show window, the slides' colours
// in the form captures give them, and IDispatch calls made exactly as a test spells them.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "ScopedWin.h"
#include "SlideLayout.h"

namespace tandry::standin {

// A key press as the show window receives it: the show moves on the key going down, the engine
// captures on the key coming up.
inline void PressKey(HWND window, unsigned virtualKey) {
  SendMessageA(window, WM_KEYDOWN, virtualKey, 1);
  SendMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

// The main window's popups: File, Slide Show, Help.
inline constexpr UINT kSlideShowMenu = 1;

// The main window's menu items of one popup, in order: their texts, "-" for a separator.
inline std::vector<std::wstring> MenuTexts(HWND window, UINT popup) {
  const HMENU menu = GetSubMenu(GetMenu(window), static_cast<int>(popup));
  std::vector<std::wstring> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = 127;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
    texts.push_back(item.fType & MFT_SEPARATOR ? L"-" : text);
  }
  return texts;
}

// The background of slide colour n as a capture shows it.
inline COLORREF BackgroundColour(int colour) {
  const Rgb rgb = SlideBackground(colour);
  return RGB(rgb.red, rgb.green, rgb.blue);
}

// A variant of any type with the given bits, for arguments that the late-bound helpers don't
// make (VT_I2, VT_UI1, VT_BYREF, ...). It owns nothing.
inline VARIANT RawVariant(VARTYPE type, LONGLONG bits) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  v.llVal = bits;
  return v;
}

// One IDispatch::Invoke of member `name` with `lastFirst` as rgvarg, the first ones of which
// are named by `named` (argument names, resolved through GetIDsOfNames with the member's name).
class RawCall {
 public:
  RawCall(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> lastFirst = {},
          std::vector<const wchar_t*> named = {}) {
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(name)};
    for (const wchar_t* argument : named) names.push_back(const_cast<LPOLESTR>(argument));
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    hr = object->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()),
                               LOCALE_USER_DEFAULT, ids.data());
    if (FAILED(hr)) return;
    DISPPARAMS params{lastFirst.data(), ids.data() + 1, static_cast<UINT>(lastFirst.size()),
                      static_cast<UINT>(named.size())};
    EXCEPINFO exception{};
    UINT argumentError = 0;
    hr = object->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.get(),
                        &exception, &argumentError);
    scode = exception.scode;
    if (exception.bstrDescription) description = exception.bstrDescription;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
  // DISP_E_EXCEPTION with a failure code and a description, as a failing member reports.
  bool FailedWithException() const {
    return hr == DISP_E_EXCEPTION && FAILED(scode) && !description.empty();
  }

  HRESULT hr = E_FAIL;
  ScopedVariant result;
  SCODE scode = S_OK;
  std::wstring description;
};

}  // namespace tandry::standin
