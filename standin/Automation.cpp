#include "Automation.h"

#include <vector>

#include "ScopedWin.h"

namespace tandry::standin {

namespace {

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, DISPPARAMS& params,
               VARIANT* result) {
  if (!object) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                        nullptr);
}

HRESULT GetMember(IDispatch* object, const wchar_t* name, ScopedComPtr<IDispatch>& member) {
  ScopedVariant value;
  const HRESULT hr = GetProperty(object, name, value.get());
  if (FAILED(hr)) return hr;
  if ((*value).vt != VT_DISPATCH || !(*value).pdispVal) return DISP_E_TYPEMISMATCH;
  member.reset((*value).pdispVal);
  member->AddRef();
  return S_OK;
}

}  // namespace

HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return Invoke(object, name, DISPATCH_PROPERTYGET, none, value);
}

HRESULT GetLong(IDispatch* object, const wchar_t* name, LONG& value) {
  ScopedVariant read;
  HRESULT hr = GetProperty(object, name, read.get());
  if (FAILED(hr)) return hr;
  ScopedVariant converted;
  hr = VariantChangeType(converted.get(), read.get(), 0, VT_I4);
  if (FAILED(hr)) return hr;
  value = (*converted).lVal;
  return S_OK;
}

HRESULT CallMethod(IDispatch* object, const wchar_t* name, const VARIANT* arguments, UINT count) {
  std::vector<VARIANT> lastFirst;  // the order in which automation passes arguments
  for (UINT i = count; i > 0; --i) lastFirst.push_back(arguments[i - 1]);
  DISPPARAMS params{lastFirst.data(), nullptr, count, 0};
  ScopedVariant result;
  return Invoke(object, name, DISPATCH_METHOD, params, result.get());
}

HRESULT GetCurrentSlideIndex(IDispatch* slideShowWindow, LONG& index) {
  ScopedComPtr<IDispatch> view;
  HRESULT hr = GetMember(slideShowWindow, L"View", view);
  if (FAILED(hr)) return hr;
  ScopedComPtr<IDispatch> slide;
  hr = GetMember(view.get(), L"Slide", slide);
  if (FAILED(hr)) return hr;
  return GetLong(slide.get(), L"SlideIndex", index);
}

}  // namespace tandry::standin
