// Late-bound calls of the host's objects through the shared helpers, with automation values
// turned into the core's values and back.
#include "HostDispatch.h"

#include <string>

#include "LateBound.h"
#include "ScopedWin.h"

namespace tandry::addin {
namespace {

std::wstring WideText(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

latebound::Arg ArgOf(const Value& value) {
  struct Visitor {
    latebound::Arg operator()(std::monostate) const {
      VARIANT empty;
      VariantInit(&empty);
      return latebound::Arg(empty);
    }
    latebound::Arg operator()(bool b) const { return latebound::Arg(b); }
    latebound::Arg operator()(std::int32_t i) const { return latebound::Arg(static_cast<int>(i)); }
    latebound::Arg operator()(double d) const { return latebound::Arg(d); }
    latebound::Arg operator()(const SharedText& s) const {
      return latebound::Arg(WideText(s.str()));
    }
    latebound::Arg operator()(const ObjectRef& o) const { return latebound::Arg(DispatchOf(o)); }
  };
  return std::visit(Visitor{}, value);
}

std::vector<latebound::Arg> ArgsOf(const Arguments& arguments) {
  std::vector<latebound::Arg> args;
  for (const Argument& argument : arguments) {
    args.push_back(argument ? ArgOf(*argument) : latebound::Arg::Missing());
  }
  return args;
}

// A number converted to `type`; false when it does not fit.
bool ChangeTo(const VARIANT& variant, VARTYPE type, ScopedVariant& converted) {
  return SUCCEEDED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&variant), 0, type));
}

class DispatchObject final : public HostObject {
 public:
  explicit DispatchObject(IDispatch* object) : object_(object) { object->AddRef(); }

  IDispatch* Dispatch() const { return object_.get(); }

  Result Get(std::u16string_view member, const Arguments& arguments) override {
    ScopedVariant result;
    if (FAILED(latebound::Get(object_.get(), WideText(member).c_str(), result.get(),
                              ArgsOf(arguments)))) {
      return std::nullopt;
    }
    return ValueOf(*result);
  }

  bool Put(std::u16string_view member, const Value& value) override {
    return SUCCEEDED(latebound::Put(object_.get(), WideText(member).c_str(), ArgOf(value)));
  }

  Result Call(std::u16string_view member, const Arguments& arguments) override {
    ScopedVariant result;
    if (FAILED(latebound::Call(object_.get(), WideText(member).c_str(), ArgsOf(arguments),
                               result.get()))) {
      return std::nullopt;
    }
    return ValueOf(*result);
  }

  // COM identity: the same IUnknown.
  bool IsSameObject(const HostObject& other) const override {
    const auto* dispatch = dynamic_cast<const DispatchObject*>(&other);
    return dispatch && Identity(object_.get()) == Identity(dispatch->Dispatch());
  }

 private:
  static IUnknown* Identity(IDispatch* object) {
    ScopedComPtr<IUnknown> unknown;
    if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.receive())))) {
      return nullptr;
    }
    return unknown.get();  // compared only, never used after the reference goes
  }

  ScopedComPtr<IDispatch> object_;
};

ObjectRef ObjectOf(IUnknown* unknown) {
  if (!unknown) return nullptr;
  ScopedComPtr<IDispatch> dispatch;
  const HRESULT hr =
      unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.receive()));
  if (FAILED(hr)) return nullptr;
  return WrapDispatch(dispatch.get());
}

}  // namespace

ObjectRef WrapDispatch(IDispatch* object) {
  if (!object) return nullptr;
  return std::make_shared<DispatchObject>(object);
}

IDispatch* DispatchOf(const ObjectRef& object) {
  const auto* dispatch = dynamic_cast<const DispatchObject*>(object.get());
  return dispatch ? dispatch->Dispatch() : nullptr;
}

Value ValueOf(const VARIANT& variant) {
  ScopedVariant direct;
  if (FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&variant)))) return Value();
  const VARIANT& v = *direct;
  switch (v.vt) {
    case VT_BOOL:
      return Value{v.boolVal != VARIANT_FALSE};
    case VT_BSTR:
      return Value{std::u16string(v.bstrVal, v.bstrVal + SysStringLen(v.bstrVal))};
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return Value{ObjectOf(v.punkVal)};
    case VT_I1: case VT_I2: case VT_I4: case VT_INT: case VT_UI1: case VT_UI2: case VT_UI4:
    case VT_UINT: case VT_I8: case VT_UI8: {
      // Whole numbers beyond 32 bits stay numbers, as floating point.
      ScopedVariant converted;
      if (ChangeTo(v, VT_I4, converted)) return Value{std::int32_t{(*converted).lVal}};
      if (ChangeTo(v, VT_R8, converted)) return Value{(*converted).dblVal};
      return Value();
    }
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_DECIMAL: {
      ScopedVariant converted;
      if (ChangeTo(v, VT_R8, converted)) return Value{(*converted).dblVal};
      return Value();
    }
    default:
      return Value();
  }
}

}  // namespace tandry::addin
