#include "DispatchObject.h"

#include "Utf8.h"

namespace tandry::standin {

namespace {

HRESULT Convert(const VARIANT& source, VARTYPE type, VARIANT& value) {
  const VARIANT* from = &source;
  if (source.vt == (VT_VARIANT | VT_BYREF) && source.pvarVal) from = source.pvarVal;
  return SUCCEEDED(VariantChangeType(&value, const_cast<VARIANT*>(from), 0, type))
             ? S_OK
             : DISP_E_TYPEMISMATCH;
}

}  // namespace

HRESULT ArgumentAs(const DISPPARAMS& params, UINT index, VARTYPE type, VARIANT& value) {
  if (params.cNamedArgs > 0) return DISP_E_NONAMEDARGS;
  if (index >= params.cArgs || !params.rgvarg) return DISP_E_PARAMNOTFOUND;
  const VARIANT& argument = params.rgvarg[params.cArgs - 1 - index];  // last argument first
  if (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND) {
    return DISP_E_PARAMNOTFOUND;  // an optional argument left out
  }
  return Convert(argument, type, value);
}

HRESULT PutValueAs(const DISPPARAMS& params, VARTYPE type, VARIANT& value) {
  if (params.cArgs < 1 || !params.rgvarg) return DISP_E_BADPARAMCOUNT;
  return Convert(params.rgvarg[0], type, value);
}

HRESULT ReturnText(const std::string& utf8, VARIANT* result) {
  result->vt = VT_BSTR;
  result->bstrVal = SysAllocString(Widen(utf8).c_str());
  return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tandry::standin
