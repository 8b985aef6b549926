// The stand-in's automation objects: reference counting and IDispatch over a hand-written table
// of member names and DISPIDs, so that callers reach every member by name without a type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <string>

namespace tandry::standin {

struct DispatchMember {
  const wchar_t* name;
  DISPID id;
};

// A late-bound property read (a method call without arguments reads as well).
inline bool IsGet(WORD flags) {
  return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0 &&
         (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0;
}
inline bool IsPut(WORD flags) { return (flags & DISPATCH_PROPERTYPUT) != 0; }

// Positional argument `index` (0 = first) of a call, converted to `type` into `value` (which the
// caller clears). DISP_E_PARAMNOTFOUND when the caller gave fewer arguments.
HRESULT ArgumentAs(const DISPPARAMS& params, UINT index, VARTYPE type, VARIANT& value);
// The value of a property put, converted to `type`.
HRESULT PutValueAs(const DISPPARAMS& params, VARTYPE type, VARIANT& value);
// UTF-8 text to a new BSTR, for a late-bound result.
HRESULT ReturnText(const std::string& utf8, VARIANT* result);

// Base of the automation objects; `Interface` is IDispatch or an interface derived from it.
// Objects are created with one reference, which the creator takes over.
template <typename Interface>
class DispatchObject : public Interface {
 public:
  DispatchObject(const DispatchMember* members, std::size_t count)
      : members_(members), count_(count) {}
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && !Offers(iid)) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  // Member names match without regard to case; names of named arguments are not known.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!names || !ids) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count == 0) return S_OK;
    for (std::size_t m = 0; m < count_; ++m) {
      if (names[0] && _wcsicmp(names[0], members_[m].name) == 0) {
        ids[0] = members_[m].id;
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
      }
    }
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    if (!Knows(id)) return DISP_E_MEMBERNOTFOUND;
    VARIANT unused;
    VariantInit(&unused);
    HRESULT hr = E_UNEXPECTED;
    try {
      hr = InvokeMember(id, flags, *params, result ? result : &unused);
    } catch (...) {  // nothing may leave through a COM call
    }
    VariantClear(&unused);
    return hr;
  }

 protected:
  virtual ~DispatchObject() = default;

  // Interfaces offered besides IUnknown and IDispatch.
  virtual bool Offers(REFIID) const { return false; }
  // Runs member `id`, one of the table's; `result` is an empty variant to fill.
  virtual HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params,
                               VARIANT* result) = 0;

 private:
  bool Knows(DISPID id) const {
    for (std::size_t m = 0; m < count_; ++m) {
      if (members_[m].id == id) return true;
    }
    return false;
  }

  const DispatchMember* members_;
  std::size_t count_;
  ULONG references_ = 1;
};

}  // namespace tandry::standin
