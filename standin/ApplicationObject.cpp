#include "ApplicationObject.h"

#include <iterator>
#include <utility>

#include "AddIns.h"
#include "CommandBarObjects.h"
#include "PresentationObject.h"
#include "Utf8.h"

namespace tandry::standin {

namespace {

namespace app = host::application;
namespace collection = host::collection;

const DispatchMember kApplicationMembers[] = {
    {L"Version", app::kVersion},
    {L"ActivePresentation", app::kActivePresentation},
    {L"Presentations", app::kPresentations},
    {L"CommandBars", app::kCommandBars},
    {L"COMAddIns", app::kCOMAddIns},
    {L"Quit", app::kQuit},
};

const DispatchMember kPresentationsMembers[] = {
    {L"Count", collection::kCount},
    {L"Item", collection::kItem, false, {L"Index"}},
};

// Presentations: Count, and Item by 1-based position or by name (without regard to case).
class PresentationsObject final : public DispatchObject<IDispatch> {
 public:
  explicit PresentationsObject(ApplicationObject& app)
      : DispatchObject(kPresentationsMembers, std::size(kPresentationsMembers)), app_(&app) {
    app.AddRef();
  }

 private:
  HRESULT InvokeMember(Invocation& call) override {
    const auto& open = app_->presentations();
    if (call.id() == collection::kCount) return call.ReturnLong(static_cast<LONG>(open.size()));
    ItemKey key;
    const HRESULT hr = call.IndexOrName(0, key);
    if (FAILED(hr)) return hr;
    PresentationObject* found = nullptr;
    for (std::size_t i = 0; i < open.size() && !found; ++i) {
      if (key.Means(i + 1, Widen(open[i]->name()))) found = open[i].get();
    }
    if (!found) {
      return call.Fail(E_INVALIDARG, L"The index into the specified collection is out of bounds.");
    }
    found->AddRef();
    return call.ReturnObject(found);
  }

  ScopedComPtr<ApplicationObject> app_;
};

}  // namespace

ScopedComPtr<ApplicationObject> ApplicationObject::Create(std::string version) {
  return ScopedComPtr<ApplicationObject>(new ApplicationObject(std::move(version)));
}

ApplicationObject::ApplicationObject(std::string version)
    : EventSourceObject(kApplicationMembers, std::size(kApplicationMembers),
                        host::DIID_ApplicationEvents),
      version_(std::move(version)),
      commandBars_(new CommandBarsObject()),
      addIns_(new AddInsObject(*this)) {}

ApplicationObject::~ApplicationObject() { Close(); }

PresentationObject& ApplicationObject::Open(std::string name, Deck deck) {
  presentations_.emplace_back(new PresentationObject(*this, std::move(name), std::move(deck)));
  return *presentations_.back().get();
}

PresentationObject* ApplicationObject::activePresentation() const {
  return presentations_.empty() ? nullptr : presentations_.back().get();
}

void ApplicationObject::Raise(DISPID event, IDispatch* argument) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_DISPATCH;
  arg.pdispVal = argument;
  events().Raise(event, &arg, 1);
}

void ApplicationObject::Close() {
  addIns_->Close();
  for (const auto& presentation : presentations_) presentation->Close();
  events().Clear();
  quit_ = nullptr;
}

HRESULT ApplicationObject::InvokeMember(Invocation& call) {
  switch (call.id()) {
    case app::kVersion:
      return call.ReturnText(version_);
    case app::kActivePresentation: {
      PresentationObject* active = activePresentation();
      if (!active) {
        return call.Fail(E_FAIL, L"Invalid request. There is no active presentation.");
      }
      active->AddRef();
      return call.ReturnObject(active);
    }
    case app::kPresentations:
      return call.ReturnObject(new PresentationsObject(*this));
    case app::kCommandBars:
      commandBars_->AddRef();
      return call.ReturnObject(commandBars_.get());
    case app::kCOMAddIns:
      addIns_->AddRef();
      return call.ReturnObject(addIns_.get());
    default:
      if (!quit_) return call.Fail(E_FAIL, L"The program cannot be ended from here.");
      quit_();
      return S_OK;
  }
}

}  // namespace tandry::standin
