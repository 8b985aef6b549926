#include "DispatchObject.h"

#include "ScopedWin.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

bool IsMissing(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

// `source` converted to `type`, through any VT_BYREF.
HRESULT Convert(const VARIANT& source, VARTYPE type, VARIANT& value) {
  ScopedVariant direct;
  if (FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&source)))) {
    return DISP_E_TYPEMISMATCH;
  }
  if (IsMissing(*direct)) return DISP_E_PARAMNOTFOUND;
  return SUCCEEDED(VariantChangeType(&value, direct.get(), 0, type)) ? S_OK : DISP_E_TYPEMISMATCH;
}

}  // namespace

bool FlagsFit(const DispatchMember& member, WORD flags) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return member.settable;
  return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;
}

Invocation::Invocation(const DispatchMember& member, WORD flags, const DISPPARAMS& params,
                       VARIANT* result)
    : member_(member), flags_(flags), params_(params), result_(result) {}

// Named arguments come first in rgvarg, each with its position in rgdispidNamedArgs; the
// positional ones follow, last first. A put's value is the named DISPID_PROPERTYPUT.
const VARIANT* Invocation::Find(UINT index) const {
  if (!params_.rgvarg) return nullptr;
  const UINT named = params_.rgdispidNamedArgs ? params_.cNamedArgs : 0;
  for (UINT n = 0; n < named && n < params_.cArgs; ++n) {
    if (params_.rgdispidNamedArgs[n] == static_cast<DISPID>(index)) return &params_.rgvarg[n];
  }
  const UINT positional = params_.cArgs > named ? params_.cArgs - named : 0;
  if (index >= positional) return nullptr;
  return &params_.rgvarg[params_.cArgs - 1 - index];
}

HRESULT Invocation::Argument(UINT index, VARTYPE type, VARIANT& value) const {
  const VARIANT* argument = Find(index);
  if (!argument) return DISP_E_PARAMNOTFOUND;
  return Convert(*argument, type, value);
}

bool Invocation::Given(UINT index) const {
  const VARIANT* argument = Find(index);
  if (!argument) return false;
  ScopedVariant direct;
  return SUCCEEDED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(argument))) &&
         !IsMissing(*direct);
}

HRESULT Invocation::Long(UINT index, LONG& value) const {
  ScopedVariant converted;
  const HRESULT hr = Argument(index, VT_I4, *converted.get());
  if (SUCCEEDED(hr)) value = (*converted).lVal;
  return hr;
}

HRESULT Invocation::Bool(UINT index, bool& value) const {
  ScopedVariant converted;
  const HRESULT hr = Argument(index, VT_BOOL, *converted.get());
  if (SUCCEEDED(hr)) value = (*converted).boolVal != VARIANT_FALSE;
  return hr;
}

HRESULT Invocation::IndexOrName(UINT index, ItemKey& key) const {
  const VARIANT* argument = Find(index);
  ScopedVariant direct;
  if (!argument || FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(argument)))) {
    return DISP_E_PARAMNOTFOUND;
  }
  key.byName = (*direct).vt == VT_BSTR;
  if (!key.byName) return Long(index, key.number);
  const BSTR bstr = (*direct).bstrVal;
  key.name.assign(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0);
  return S_OK;
}

HRESULT Invocation::PutValue(VARTYPE type, VARIANT& value) const {
  if (params_.cArgs < 1 || !params_.rgvarg) return DISP_E_BADPARAMCOUNT;
  return Convert(params_.rgvarg[0], type, value);
}

HRESULT Invocation::ReturnLong(LONG value) {
  result_->vt = VT_I4;
  result_->lVal = value;
  return S_OK;
}

HRESULT Invocation::ReturnBool(bool value) {
  result_->vt = VT_BOOL;
  result_->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT Invocation::ReturnFloat(float value) {
  result_->vt = VT_R4;
  result_->fltVal = value;
  return S_OK;
}

HRESULT Invocation::ReturnText(const std::wstring& text) {
  result_->vt = VT_BSTR;
  result_->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return result_->bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT Invocation::ReturnText(const std::string& utf8) { return ReturnText(Widen(utf8)); }

HRESULT Invocation::ReturnObject(IDispatch* object) {
  result_->vt = VT_DISPATCH;
  result_->pdispVal = object;
  return S_OK;
}

HRESULT Invocation::Fail(HRESULT code, const wchar_t* description) {
  failure_ = description;
  return code;
}

}  // namespace tandry::standin
