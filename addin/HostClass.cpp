// The menu buttons' holder and its Click sinks.
#include "HostClass.h"

#include "AddinLife.h"
#include "ComServer.h"
#include "Contained.h"
#include "HostDispatch.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "MainModule.h"
#include "ShowControl.h"

namespace tandry::addin {

namespace {

// Receives one button's events; only Click (DISPID 1) means something.
class ClickSink final : public ComObject<ClickSink, IDispatch> {
 public:
  static constexpr InterfaceEntry<ClickSink> kInterfaces[] = {
      {&host::DIID_CommandBarButtonEvents, &FaceOf<ClickSink, IDispatch>},
      {&IID_IDispatch, &FaceOf<ClickSink, IDispatch>}};

  ClickSink(Module& module, void (*handler)(Module&)) : module_(module), handler_(handler) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (id == host::command_bar_button_events::kClick) {
      Contained([this] { handler_(module_); });
    }
    return S_OK;
  }

 private:
  Module& module_;
  void (*const handler_)(Module&);
};

}  // namespace

HostClass::HostClass(Module& module) : module_(module) {}

HostClass::~HostClass() {
  Disconnect(about_);
  Disconnect(startStop_);
}

void HostClass::SetStartStopTandryCBB(const ObjectRef& button) {
  Store(startStop_, button, &StartStopShow);
}

void HostClass::SetAboutTandryCBB(const ObjectRef& button) { Store(about_, button, &ShowAbout); }

void HostClass::Store(Member& member, const ObjectRef& button, ClickHandler handler) {
  Disconnect(member);
  member.button = button;
  IDispatch* source = DispatchOf(button);
  if (!source) return;
  ScopedComPtr<ClickSink> sink(new ClickSink(module_, handler));
  if (SUCCEEDED(latebound::Advise(source, host::DIID_CommandBarButtonEvents, sink.get(),
                                  member.cookie))) {
    source->AddRef();
    member.source.reset(source);
  }
}

void HostClass::Disconnect(Member& member) {
  if (member.source) {
    latebound::Unadvise(member.source.get(), host::DIID_CommandBarButtonEvents, member.cookie);
  }
  member.source.reset();
  member.cookie = 0;
  member.button = nullptr;
}

}  // namespace tandry::addin
