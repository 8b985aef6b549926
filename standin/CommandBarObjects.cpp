#include "CommandBarObjects.h"

#include <iterator>
#include <optional>
#include <string>

#include "HostObjectModel.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

namespace control = host::command_bar_control;
namespace controls = host::command_bar_controls;

constexpr wchar_t kGone[] = L"The control has been deleted.";

const DispatchMember kCommandBarsMembers[] = {
    {L"FindControl", host::command_bars::kFindControl, false,
     {L"Type", L"Id", L"Tag", L"Visible"}},
};

const DispatchMember kControlMembers[] = {
    {L"BeginGroup", control::kBeginGroup, true},
    {L"Caption", control::kCaption, true},
    {L"Delete", control::kDelete, false, {L"Temporary"}},
    {L"Id", control::kId},
    {L"Index", control::kIndex},
    {L"Tag", control::kTag, true},
    {L"Type", control::kType},
    {L"Controls", control::kPopupControls},
    {L"FaceId", control::kFaceId, true},
};

const DispatchMember kControlsMembers[] = {
    {L"Count", controls::kCount},
    {L"Item", controls::kItem, false, {L"Index"}},
    {L"Add", controls::kAdd, false, {L"Type", L"Id", L"Parameter", L"Before", L"Temporary"}},
};

// An optional numeric argument; DISP_E_PARAMNOTFOUND is no failure.
HRESULT OptionalLong(const Invocation& call, UINT index, std::optional<int>& value) {
  LONG number = 0;
  const HRESULT hr = call.Long(index, number);
  if (hr == DISP_E_PARAMNOTFOUND) return S_OK;
  if (SUCCEEDED(hr)) value = number;
  return hr;
}

HRESULT TextArgument(const Invocation& call, UINT index, std::optional<std::string>& value) {
  ScopedVariant text;
  const HRESULT hr = call.Argument(index, VT_BSTR, *text.get());
  if (hr == DISP_E_PARAMNOTFOUND) return S_OK;
  if (FAILED(hr)) return hr;
  const BSTR bstr = (*text).bstrVal;
  value = Narrow(std::wstring(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0));
  return S_OK;
}

HRESULT ReturnControl(CommandBarsObject& owner, Invocation& call, int key) {
  ScopedComPtr<CommandBarControlObject> object = owner.ObjectOf(key);
  return call.ReturnObject(object.release());  // nothing when none
}

// A popup's Controls.
class CommandBarControlsObject final : public DispatchObject<IDispatch> {
 public:
  CommandBarControlsObject(CommandBarsObject& owner, int popupKey)
      : DispatchObject(kControlsMembers, std::size(kControlsMembers)),
        owner_(&owner),
        popupKey_(popupKey) {
    owner.AddRef();
  }

 private:
  HRESULT InvokeMember(Invocation& call) override {
    const Control* popup = owner_->bars().Find(popupKey_);
    if (!popup) return call.Fail(E_FAIL, kGone);
    const int count = static_cast<int>(popup->controls.size());
    switch (call.id()) {
      case controls::kCount:
        return call.ReturnLong(count);
      case controls::kItem: {
        LONG index = 0;
        const HRESULT hr = call.Long(0, index);
        if (FAILED(hr)) return hr;
        if (index < 1 || index > count) {
          return call.Fail(E_INVALIDARG, L"There is no control at that position.");
        }
        return ReturnControl(*owner_.get(), call, popup->controls[index - 1].key);
      }
      default:
        return Add(call);
    }
  }

  // Add(Type, Id, Parameter, Before, Temporary): a plain button, by default at the end and kept
  // for the next start.
  HRESULT Add(Invocation& call) {
    std::optional<int> type;
    std::optional<int> id;
    std::optional<int> before;
    HRESULT hr = OptionalLong(call, 0, type);
    if (SUCCEEDED(hr)) hr = OptionalLong(call, 1, id);
    if (SUCCEEDED(hr)) hr = OptionalLong(call, 3, before);
    bool temporary = false;
    if (SUCCEEDED(hr) && call.Given(4)) hr = call.Bool(4, temporary);
    if (FAILED(hr)) return hr;
    if (type.value_or(kControlButton) != kControlButton) {
      return call.Fail(E_INVALIDARG, L"The stand-in adds plain buttons only.");
    }
    if (id.value_or(0) != 0 && *id != kAddedControlId) {
      return call.Fail(E_INVALIDARG, L"The stand-in adds no built-in controls.");
    }
    const int key = owner_->bars().AddButton(popupKey_, before, temporary);
    if (key == 0) return call.Fail(E_INVALIDARG, L"There is no such position in the menu.");
    owner_->Changed();
    return ReturnControl(*owner_.get(), call, key);
  }

  ScopedComPtr<CommandBarsObject> owner_;
  int popupKey_;
};

}  // namespace

CommandBarsObject::CommandBarsObject()
    : DispatchObject(kCommandBarsMembers, std::size(kCommandBarsMembers)) {}

void CommandBarsObject::Changed() {
  if (view_) view_->CommandBarsChanged();
}

ScopedComPtr<CommandBarControlObject> CommandBarsObject::ObjectOf(int key) {
  if (!bars_.Find(key)) return {};
  const auto found = objects_.find(key);
  if (found != objects_.end()) {
    found->second->AddRef();
    return ScopedComPtr<CommandBarControlObject>(found->second);
  }
  ScopedComPtr<CommandBarControlObject> object(new CommandBarControlObject(*this, key));
  objects_[key] = object.get();
  return object;
}

bool CommandBarsObject::Click(int key) {
  const auto found = objects_.find(key);
  if (found == objects_.end()) return true;  // nobody listens
  ScopedComPtr<CommandBarControlObject> object(found->second);
  object->AddRef();
  return !object->RaiseClick();
}

// FindControl(Type, Id, Tag, Visible): every control is visible, so Visible changes nothing.
HRESULT CommandBarsObject::InvokeMember(Invocation& call) {
  ControlQuery query;
  HRESULT hr = OptionalLong(call, 0, query.type);
  if (SUCCEEDED(hr)) hr = OptionalLong(call, 1, query.id);
  if (SUCCEEDED(hr)) hr = TextArgument(call, 2, query.tag);
  if (FAILED(hr)) return hr;
  return ReturnControl(*this, call, bars_.FindFirst(query));
}

CommandBarControlObject::CommandBarControlObject(CommandBarsObject& owner, int key)
    : EventSourceObject(kControlMembers, std::size(kControlMembers),
                        host::DIID_CommandBarButtonEvents),
      owner_(&owner),
      key_(key) {
  owner.AddRef();
}

CommandBarControlObject::~CommandBarControlObject() { owner_->Forget(key_); }

bool CommandBarControlObject::RaiseClick() {
  VARIANT_BOOL cancelDefault = VARIANT_FALSE;
  VARIANT args[2];
  args[0].vt = VT_BOOL | VT_BYREF;
  args[0].pboolVal = &cancelDefault;
  args[1].vt = VT_DISPATCH;
  args[1].pdispVal = static_cast<IDispatch*>(this);
  events().Raise(host::command_bar_button_events::kClick, args, 2);
  return cancelDefault != VARIANT_FALSE;
}

HRESULT CommandBarControlObject::InvokeMember(Invocation& call) {
  const Control* found = owner_->bars().Find(key_);
  if (!found) return call.Fail(E_FAIL, kGone);
  const Control& c = *found;
  if (call.put()) return Put(call, c);
  switch (call.id()) {
    case control::kBeginGroup:
      return call.ReturnBool(c.beginGroup);
    case control::kCaption:
      return call.ReturnText(c.caption);
    case control::kDelete:
      owner_->bars().Delete(key_);
      owner_->Changed();
      return S_OK;
    case control::kId:
      return call.ReturnLong(c.id);
    case control::kIndex:
      return call.ReturnLong(owner_->bars().IndexOf(key_));
    case control::kTag:
      return call.ReturnText(c.tag);
    case control::kType:
      return call.ReturnLong(c.type);
    case control::kPopupControls:
      if (c.type != kControlPopup) return call.Fail(E_FAIL, L"Only a popup holds controls.");
      return call.ReturnObject(new CommandBarControlsObject(*owner_.get(), key_));
    default:
      if (c.type != kControlButton) return call.Fail(E_FAIL, L"Only a button has a face.");
      return call.ReturnLong(c.faceId);
  }
}

HRESULT CommandBarControlObject::Put(Invocation& call, const Control& c) {
  CommandBarSet& bars = owner_->bars();
  ScopedVariant value;
  const VARTYPE type = call.id() == control::kBeginGroup  ? VT_BOOL
                       : call.id() == control::kFaceId ? VT_I4
                                                        : VT_BSTR;
  const HRESULT hr = call.PutValue(type, *value.get());
  if (FAILED(hr)) return hr;
  const VARIANT& v = *value;
  switch (call.id()) {
    case control::kBeginGroup:
      bars.SetBeginGroup(key_, v.boolVal != VARIANT_FALSE);
      break;
    case control::kFaceId:
      if (c.type != kControlButton) return call.Fail(E_FAIL, L"Only a button has a face.");
      bars.SetFaceId(key_, v.lVal);
      break;
    default: {
      std::string text = Narrow(std::wstring(v.bstrVal ? v.bstrVal : L"", SysStringLen(v.bstrVal)));
      if (call.id() == control::kCaption) {
        bars.SetCaption(key_, std::move(text));
      } else {
        bars.SetTag(key_, std::move(text));
      }
      break;
    }
  }
  owner_->Changed();
  return S_OK;
}

}  // namespace tandry::standin
