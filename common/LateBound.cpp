#include "LateBound.h"

#include <ocidl.h>

#include <vector>

namespace tandry::latebound {

Arg::Arg() { VariantInit(&value_); }

Arg::Arg(int value) : Arg() {
  value_.vt = VT_I4;
  value_.lVal = value;
}

Arg::Arg(long value) : Arg(static_cast<int>(value)) {}

Arg::Arg(bool value) : Arg() {
  value_.vt = VT_BOOL;
  value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Arg::Arg(double value) : Arg() {
  value_.vt = VT_R8;
  value_.dblVal = value;
}

Arg::Arg(const wchar_t* text) : Arg() {
  value_.vt = VT_BSTR;
  value_.bstrVal = SysAllocString(text ? text : L"");
}

Arg::Arg(const std::wstring& text) : Arg() {
  value_.vt = VT_BSTR;
  value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Arg::Arg(IDispatch* object) : Arg() {
  value_.vt = VT_DISPATCH;
  value_.pdispVal = object;
  if (object) object->AddRef();
}

Arg::Arg(const VARIANT& value) : Arg() { Copy(value); }

Arg Arg::Missing() {
  Arg missing;
  missing.value_.vt = VT_ERROR;
  missing.value_.scode = DISP_E_PARAMNOTFOUND;
  return missing;
}

Arg::Arg(const Arg& other) : Arg() { Copy(other.value_); }

Arg& Arg::operator=(const Arg& other) {
  if (this != &other) Copy(other.value_);
  return *this;
}

Arg::~Arg() { VariantClear(&value_); }

// VariantCopy only reads its source, but is declared without const.
void Arg::Copy(const VARIANT& source) { VariantCopy(&value_, const_cast<VARIANT*>(&source)); }

bool Arg::missing() const { return value_.vt == VT_ERROR && value_.scode == DISP_E_PARAMNOTFOUND; }

namespace {

// The variants of `args` last-first, without the missing ones at the end.
std::vector<VARIANT> LastFirst(const Arg* args, std::size_t count) {
  std::size_t given = count;
  while (given > 0 && args[given - 1].missing()) --given;
  std::vector<VARIANT> reversed;
  for (std::size_t i = given; i > 0; --i) reversed.push_back(args[i - 1].value());
  return reversed;
}

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, DISPPARAMS& params,
               VARIANT* result) {
  if (!object || !name) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception,
                      &argumentError);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    if (FAILED(exception.scode)) hr = exception.scode;
  }
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

HRESULT GetWith(IDispatch* object, const wchar_t* name, VARIANT* result,
                std::vector<VARIANT> arguments) {
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, params, result);
}

HRESULT CallWith(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments,
                 VARIANT* result) {
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  ScopedVariant unused;
  return Invoke(object, name, DISPATCH_METHOD, params, result ? result : unused.get());
}

}  // namespace

HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT* result,
            std::initializer_list<Arg> args) {
  return GetWith(object, name, result, LastFirst(args.begin(), args.size()));
}

HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT* result,
            const std::vector<Arg>& args) {
  return GetWith(object, name, result, LastFirst(args.data(), args.size()));
}

HRESULT Put(IDispatch* object, const wchar_t* name, const Arg& value) {
  VARIANT argument = value.value();
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&argument, &named, 1, 1};
  return Invoke(object, name, DISPATCH_PROPERTYPUT, params, nullptr);
}

HRESULT Call(IDispatch* object, const wchar_t* name, std::initializer_list<Arg> args,
             VARIANT* result) {
  return CallWith(object, name, LastFirst(args.begin(), args.size()), result);
}

HRESULT Call(IDispatch* object, const wchar_t* name, const std::vector<Arg>& args,
             VARIANT* result) {
  return CallWith(object, name, LastFirst(args.data(), args.size()), result);
}

HRESULT GetDispatch(IDispatch* object, const wchar_t* name, ScopedComPtr<IDispatch>& member,
                    std::initializer_list<Arg> args) {
  ScopedVariant value;
  const HRESULT hr = Get(object, name, value.get(), args);
  if (FAILED(hr)) return hr;
  const VARIANT& v = *value;
  if ((v.vt != VT_DISPATCH && v.vt != VT_UNKNOWN) || !v.punkVal) return DISP_E_TYPEMISMATCH;
  return v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(member.receive()));
}

HRESULT GetLong(IDispatch* object, const wchar_t* name, LONG& value,
                std::initializer_list<Arg> args) {
  ScopedVariant read;
  HRESULT hr = Get(object, name, read.get(), args);
  if (FAILED(hr)) return hr;
  ScopedVariant converted;
  hr = VariantChangeType(converted.get(), read.get(), 0, VT_I4);
  if (FAILED(hr)) return hr;
  value = (*converted).lVal;
  return S_OK;
}

HRESULT GetText(IDispatch* object, const wchar_t* name, std::wstring& text,
                std::initializer_list<Arg> args) {
  ScopedVariant read;
  HRESULT hr = Get(object, name, read.get(), args);
  if (FAILED(hr)) return hr;
  ScopedVariant converted;
  hr = VariantChangeType(converted.get(), read.get(), 0, VT_BSTR);
  if (FAILED(hr)) return hr;
  const BSTR bstr = (*converted).bstrVal;
  text.assign(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0);
  return S_OK;
}

namespace {

HRESULT PointOf(IUnknown* source, REFIID events, ScopedComPtr<IConnectionPoint>& point) {
  if (!source) return E_POINTER;
  ScopedComPtr<IConnectionPointContainer> container;
  HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container.receive()));
  if (FAILED(hr)) return hr;
  return container->FindConnectionPoint(events, point.receive());
}

}  // namespace

HRESULT Advise(IUnknown* source, REFIID events, IUnknown* sink, DWORD& cookie) {
  cookie = 0;
  ScopedComPtr<IConnectionPoint> point;
  const HRESULT hr = PointOf(source, events, point);
  return FAILED(hr) ? hr : point->Advise(sink, &cookie);
}

HRESULT Unadvise(IUnknown* source, REFIID events, DWORD cookie) {
  ScopedComPtr<IConnectionPoint> point;
  const HRESULT hr = PointOf(source, events, point);
  return FAILED(hr) ? hr : point->Unadvise(cookie);
}

}  // namespace tandry::latebound
