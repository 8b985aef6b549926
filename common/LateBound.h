// Late-bound calls on an automation object by member name, made the way a script or macro client
// of the presentation program makes them: a property read passes DISPATCH_PROPERTYGET together
// with DISPATCH_METHOD, a put passes one named argument DISPID_PROPERTYPUT, arguments travel
// last-first, and an optional argument left out in the middle travels as VT_ERROR with
// DISP_E_PARAMNOTFOUND while trailing ones are not passed at all.
//
// Every call returns an HRESULT; when the object fails with DISP_E_EXCEPTION, the call returns
// the failure code from the object's EXCEPINFO instead (or DISP_E_EXCEPTION if it has none).
// Results land in a VARIANT that the caller owns and clears.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ScopedWin.h"

namespace tandry::latebound {

// One argument of a call, owning a copy of its value.
class Arg {
 public:
  Arg(int value);  // VT_I4
  Arg(long value);  // VT_I4 (LONG)
  Arg(bool value);  // VT_BOOL
  Arg(double value);  // VT_R8
  Arg(const wchar_t* text);  // VT_BSTR
  Arg(const std::wstring& text);  // VT_BSTR
  Arg(IDispatch* object);  // VT_DISPATCH, nothing is VT_DISPATCH null
  explicit Arg(const VARIANT& value);  // a copy of any variant
  // An optional argument that the caller leaves out.
  static Arg Missing();

  Arg(const Arg& other);
  Arg& operator=(const Arg& other);
  ~Arg();

  const VARIANT& value() const { return value_; }
  bool missing() const;

 private:
  Arg();
  void Copy(const VARIANT& source);
  VARIANT value_;
};

// Reads property `name` (or calls a method that gives a value), with arguments such as an
// Item's index.
HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT* result,
            std::initializer_list<Arg> args = {});
// The same with arguments gathered at run time.
HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT* result, const std::vector<Arg>& args);
// Sets property `name` to `value`.
HRESULT Put(IDispatch* object, const wchar_t* name, const Arg& value);
// Calls method `name`; `result` may be null when the value is not wanted.
HRESULT Call(IDispatch* object, const wchar_t* name, std::initializer_list<Arg> args = {},
             VARIANT* result = nullptr);
HRESULT Call(IDispatch* object, const wchar_t* name, const std::vector<Arg>& args,
             VARIANT* result);

// Typed reads built on Get. An object result must be VT_DISPATCH or an VT_UNKNOWN that offers
// IDispatch, and not null; numbers and texts are converted as automation converts them.
HRESULT GetDispatch(IDispatch* object, const wchar_t* name, ScopedComPtr<IDispatch>& member,
                    std::initializer_list<Arg> args = {});
HRESULT GetLong(IDispatch* object, const wchar_t* name, LONG& value,
                std::initializer_list<Arg> args = {});
HRESULT GetText(IDispatch* object, const wchar_t* name, std::wstring& text,
                std::initializer_list<Arg> args = {});

// Connects `sink` to the connection point of `source` for the event interface `events`;
// `cookie` is what Unadvise takes back.
HRESULT Advise(IUnknown* source, REFIID events, IUnknown* sink, DWORD& cookie);
HRESULT Unadvise(IUnknown* source, REFIID events, DWORD cookie);

}  // namespace tandry::latebound
