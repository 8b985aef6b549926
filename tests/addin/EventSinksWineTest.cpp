// The add-in's event sinks as a host reaches them, over a module of recording ports: a menu
// button's Click and the application's slide-show events run their handlers only while the sink
// is connected, so that a call the host delivers after the Unadvise (one it had queued) or after
// the holder is gone does nothing; and every call to a sink is contained, answers what its
// handler's failure means, and keeps the sink alive while it runs.
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <gmock/gmock.h>

#include <functional>
#include <memory>
#include <new>
#include <stdexcept>

#include "ComServer.h"
#include "HostClass.h"
#include "HostDispatch.h"
#include "HostObjectModel.h"
#include "RecordingPorts.h"
#include "SSWClass.h"

namespace tandry::addin {
namespace {

// A host's button or application object as far as its events go: one connection point, which
// keeps the sink advised last even after its Unadvise, as a host may while a call to that sink is
// on its way. It lives on the test's stack, so its reference count is left alone.
class EventSource final : public IDispatch,
                          public IConnectionPointContainer,
                          public IConnectionPoint {
 public:
  explicit EventSource(const IID& events) : events_(events) {}

  bool advised() const { return advised_; }
  // Calls the sink advised last, advised still or not, with event `id` and no arguments.
  HRESULT Raise(DISPID id) {
    DISPPARAMS none{};
    return sink_ ? sink_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                 nullptr, nullptr, nullptr)
                 : E_UNEXPECTED;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) *object = static_cast<IDispatch*>(this);
    if (iid == IID_IConnectionPointContainer) {
      *object = static_cast<IConnectionPointContainer*>(this);
    }
    if (iid == IID_IConnectionPoint) *object = static_cast<IConnectionPoint*>(this);
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    *point = iid == events_ ? this : nullptr;
    return *point ? S_OK : CONNECT_E_NOCONNECTION;
  }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = events_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override {
    *container = this;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    const HRESULT found =
        sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(sink_.receive()));
    advised_ = SUCCEEDED(found);
    *cookie = advised_ ? 1 : 0;
    return found;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override {
    advised_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  const IID events_;
  ScopedComPtr<IDispatch> sink_;
  bool advised_ = false;
};

// How a sink's connection ends: its holder stores nothing, or the holder goes (as the add-in's
// shutdown drops it).
enum class Ending { StoreNothing, DropHolder };

class LateEventsTest : public ::testing::TestWithParam<Ending> {
 protected:
  test::RecordingModule m;
};

INSTANTIATE_TEST_SUITE_P(EndedBy, LateEventsTest,
                         ::testing::Values(Ending::StoreNothing, Ending::DropHolder));

using ButtonSetter = void (MenuButtonHolder::*)(const ObjectRef&);

TEST_P(LateEventsTest, AClickAfterTheButtonsUnadviseDoesNothing) {
  for (const ButtonSetter store :
       {&MenuButtonHolder::SetStartStopTandryCBB, &MenuButtonHolder::SetAboutTandryCBB}) {
    EventSource button(host::DIID_CommandBarButtonEvents);
    auto holder = std::make_unique<HostClass>(m.module);
    ((*holder).*store)(WrapDispatch(&button));
    ASSERT_TRUE(button.advised());
    const std::size_t before = m.log.size();
    EXPECT_EQ(button.Raise(host::command_bar_button_events::kClick), S_OK);
    EXPECT_GT(m.log.size(), before);  // the toggle's message, or the about box

    if (GetParam() == Ending::StoreNothing) {
      ((*holder).*store)(nullptr);
    } else {
      holder.reset();
    }
    EXPECT_FALSE(button.advised());
    const std::size_t ended = m.log.size();
    EXPECT_EQ(button.Raise(host::command_bar_button_events::kClick), S_OK);
    EXPECT_EQ(m.log.size(), ended);
  }
}

TEST_P(LateEventsTest, ShowEventsAfterTheApplicationsUnadviseChangeNothing) {
  namespace events = host::application_events;
  EventSource app(host::DIID_ApplicationEvents);
  m.module.state.Running = true;
  auto sink = std::make_unique<SSWClass>(m.module);
  sink->SetHostApp(WrapDispatch(&app));
  ASSERT_TRUE(app.advised());
  EXPECT_EQ(app.Raise(events::kSlideShowNextBuild), S_OK);
  EXPECT_EQ(m.declared.calls["NextBuild"], 1);

  if (GetParam() == Ending::StoreNothing) {
    sink->SetHostApp(nullptr);
  } else {
    sink.reset();
  }
  EXPECT_FALSE(app.advised());
  const std::size_t ended = m.log.size();
  for (const DISPID event :
       {events::kSlideShowNextBuild, events::kSlideShowNextSlide, events::kSlideShowEnd}) {
    EXPECT_EQ(app.Raise(event), S_OK);
  }
  EXPECT_EQ(m.log.size(), ended);
  EXPECT_TRUE(m.module.state.Running);  // no stop ran
}

class ScriptedSink;

// What a sink's handler does and what the test learns from it. The handler lets go of the last
// reference that is not the call's own, as a handler that ends the connection holding its sink
// does, notes whether the sink is still there, and ends as `end` says.
struct SinkScript {
  ScopedComPtr<ScriptedSink> holder;
  std::function<void()> end;
  bool aliveAfterRelease = false;
  bool destroyed = false;
};

class ScriptedSink final : public EventSink<ScriptedSink, IID_IDispatch> {
 public:
  explicit ScriptedSink(SinkScript& script) : script_(script) { SetConnected(true); }
  ~ScriptedSink() override { script_.destroyed = true; }

  // Touches no member after the release, in case that destroyed the sink.
  void Handle(DISPID, const DISPPARAMS*) {
    SinkScript& script = script_;
    script.holder.reset();
    script.aliveAfterRelease = !script.destroyed;
    script.end();
  }

 private:
  SinkScript& script_;
};

TEST(EventSinkCalls, AnswerWhatTheHandlersFailureMeansAndKeepTheSinkAliveMeanwhile) {
  const struct {
    std::function<void()> end;
    HRESULT answer;
  } cases[] = {
      {[] {}, S_OK},
      {[] { throw std::bad_alloc(); }, E_OUTOFMEMORY},
      {[] { throw std::runtime_error("the handler failed"); }, E_FAIL},
  };
  for (const auto& which : cases) {
    SinkScript script{ScopedComPtr<ScriptedSink>(), which.end};
    script.holder.reset(new ScriptedSink(script));
    IDispatch* const sink = script.holder.get();
    DISPPARAMS none{};
    EXPECT_EQ(sink->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr,
                           nullptr, nullptr),
              which.answer);
    EXPECT_TRUE(script.aliveAfterRelease);
    EXPECT_TRUE(script.destroyed);
  }
}

}  // namespace
}  // namespace tandry::addin
