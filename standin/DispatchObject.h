// The stand-in's automation objects: reference counting and IDispatch over a hand-written table
// of members (name, DISPID, whether it can be set, argument names), so that callers reach every
// member by name without a type library, pass arguments by position or by name, leave optional
// ones out and give numbers in any numeric type. A member that fails is reported as DISP_E_EXCEPTION with an
// EXCEPINFO holding its failure code and a description, as the presentation program reports it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <array>
#include <cstddef>
#include <string>

namespace tandry::standin {

// Every member runs for DISPATCH_METHOD or DISPATCH_PROPERTYGET alike (late-bound callers pass
// either or both, for methods and properties); a settable one also for DISPATCH_PROPERTYPUT or
// DISPATCH_PROPERTYPUTREF.
struct DispatchMember {
  const wchar_t* name;
  DISPID id;
  bool settable = false;
  std::array<const wchar_t*, 5> arguments{};  // names for named arguments, in order
};

// One call of a member: its arguments however the caller passed them, and its result.
// An item of a collection as a caller names it: by its 1-based number or by its name.
struct ItemKey {
  bool byName = false;
  LONG number = 0;
  std::wstring name;

  // Whether the item at `position` (from 1) called `itemName` is the one meant; names match
  // without regard to case.
  bool Means(std::size_t position, const std::wstring& itemName) const {
    return byName ? _wcsicmp(itemName.c_str(), name.c_str()) == 0
                  : number >= 1 && static_cast<std::size_t>(number) == position;
  }
};

class Invocation {
 public:
  Invocation(const DispatchMember& member, WORD flags, const DISPPARAMS& params, VARIANT* result);

  DISPID id() const { return member_.id; }
  bool put() const { return (flags_ & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

  // Argument `index` (0 = first as declared), given by position or by name, converted to `type`
  // into `value` (which the caller clears). DISP_E_PARAMNOTFOUND when it was left out or passed
  // as missing, DISP_E_TYPEMISMATCH when it doesn't convert.
  HRESULT Argument(UINT index, VARTYPE type, VARIANT& value) const;
  bool Given(UINT index) const;
  // Typed forms of Argument.
  HRESULT Long(UINT index, LONG& value) const;
  HRESULT Bool(UINT index, bool& value) const;  // any number: not 0 is true
  // A collection index: a text is a name, anything else a 1-based number.
  HRESULT IndexOrName(UINT index, ItemKey& key) const;
  // The value that a put assigns.
  HRESULT PutValue(VARTYPE type, VARIANT& value) const;

  HRESULT ReturnLong(LONG value);
  HRESULT ReturnBool(bool value);  // VARIANT_BOOL
  HRESULT ReturnFloat(float value);
  HRESULT ReturnText(const std::wstring& text);
  HRESULT ReturnText(const std::string& utf8);
  // Takes over one reference of `object`; null gives the empty object reference.
  HRESULT ReturnObject(IDispatch* object);

  // The member failed: the caller gets DISP_E_EXCEPTION with `code` and `description`.
  HRESULT Fail(HRESULT code, const wchar_t* description);
  const wchar_t* failure() const { return failure_; }

 private:
  const VARIANT* Find(UINT index) const;

  const DispatchMember& member_;
  WORD flags_;
  const DISPPARAMS& params_;
  VARIANT* result_;
  const wchar_t* failure_ = nullptr;
};

// Whether a call with `flags` reaches `member`.
bool FlagsFit(const DispatchMember& member, WORD flags);

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
  // Names match without regard to case: the member first, then the names of its arguments,
  // which get their 0-based positions as DISPIDs.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!names || !ids) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count == 0) return S_OK;
    const DispatchMember* member = MemberNamed(names[0]);
    if (!member) return DISP_E_UNKNOWNNAME;
    ids[0] = member->id;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
      ids[i] = ArgumentNamed(*member, names[i]);
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    const DispatchMember* member = MemberWithId(id);
    if (!member || !FlagsFit(*member, flags)) return DISP_E_MEMBERNOTFOUND;
    VARIANT unused;
    VariantInit(&unused);
    Invocation call(*member, flags, *params, result ? result : &unused);
    HRESULT hr = E_UNEXPECTED;
    try {
      hr = InvokeMember(call);
    } catch (...) {  // nothing may leave through a COM call
    }
    VariantClear(&unused);
    if (FAILED(hr) && call.failure()) return Report(hr, call.failure(), exception);
    return hr;
  }

 protected:
  virtual ~DispatchObject() = default;

  // Interfaces offered besides IUnknown and IDispatch.
  virtual bool Offers(REFIID) const { return false; }
  // Runs one of the table's members; the flags already fit it.
  virtual HRESULT InvokeMember(Invocation& call) = 0;

 private:
  const DispatchMember* MemberWithId(DISPID id) const {
    for (std::size_t m = 0; m < count_; ++m) {
      if (members_[m].id == id) return &members_[m];
    }
    return nullptr;
  }
  const DispatchMember* MemberNamed(const wchar_t* name) const {
    for (std::size_t m = 0; m < count_; ++m) {
      if (name && _wcsicmp(name, members_[m].name) == 0) return &members_[m];
    }
    return nullptr;
  }
  static DISPID ArgumentNamed(const DispatchMember& member, const wchar_t* name) {
    for (std::size_t a = 0; a < member.arguments.size(); ++a) {
      if (name && member.arguments[a] && _wcsicmp(name, member.arguments[a]) == 0) {
        return static_cast<DISPID>(a);
      }
    }
    return DISPID_UNKNOWN;
  }
  static HRESULT Report(HRESULT code, const wchar_t* description, EXCEPINFO* exception) {
    if (exception) {
      *exception = EXCEPINFO{};
      exception->scode = code;
      exception->bstrSource = SysAllocString(L"Stand-in");
      exception->bstrDescription = SysAllocString(description);
    }
    return DISP_E_EXCEPTION;
  }

  const DispatchMember* members_;
  std::size_t count_;
  ULONG references_ = 1;
};

}  // namespace tandry::standin
