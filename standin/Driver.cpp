#include "Driver.h"

#include <iterator>
#include <utility>

#include "Automation.h"
#include "LateBound.h"
#include "SlideShowWindowObject.h"
#include "tandrycore.h"

namespace tandry::standin {

// The engine's session calls, typed as the engine declares them.
struct EngineCalls {
  decltype(&::CreateTandrySession) CreateTandrySession;
  decltype(&::AddSessionInfo) AddSessionInfo;
  decltype(&::StartTandrySession) StartTandrySession;
  decltype(&::ActivateSlideShow) ActivateSlideShow;
  decltype(&::NextBuild) NextBuild;
  decltype(&::NextSlide) NextSlide;
  decltype(&::StopTandrySession) StopTandrySession;
  decltype(&::DestroyTandrySession) DestroyTandrySession;
};

namespace {

template <typename Function>
bool Bind(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return function != nullptr;
}

// Null while tandrycore.dll or one of the calls is missing; the next call tries again.
const EngineCalls* BindEngine() {
  static ScopedModule engineModule;
  static EngineCalls calls;
  if (engineModule) return &calls;
  ScopedModule module(LoadLibraryA("tandrycore.dll"));
  if (!module) return nullptr;
  const HMODULE m = module.get();
  if (!Bind(m, "CreateTandrySession", calls.CreateTandrySession) ||
      !Bind(m, "AddSessionInfo", calls.AddSessionInfo) ||
      !Bind(m, "StartTandrySession", calls.StartTandrySession) ||
      !Bind(m, "ActivateSlideShow", calls.ActivateSlideShow) ||
      !Bind(m, "NextBuild", calls.NextBuild) || !Bind(m, "NextSlide", calls.NextSlide) ||
      !Bind(m, "StopTandrySession", calls.StopTandrySession) ||
      !Bind(m, "DestroyTandrySession", calls.DestroyTandrySession)) {
    return nullptr;
  }
  engineModule = std::move(module);
  return &calls;
}

// The variant in which the slide-show window crosses into the engine; it adds no reference.
VARIANT WindowVariant(IDispatch* window) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_DISPATCH;
  value.pdispVal = window;
  return value;
}

namespace events = host::application_events;

const DispatchMember kEventMembers[] = {
    {L"SlideShowBegin", events::kSlideShowBegin},
    {L"SlideShowNextBuild", events::kSlideShowNextBuild},
    {L"SlideShowNextSlide", events::kSlideShowNextSlide},
    {L"SlideShowEnd", events::kSlideShowEnd},
};

}  // namespace

ScopedComPtr<Driver> Driver::Start(ApplicationObject& app, SlideShowWindowObject& window,
                                   const std::string& presentationName, int slideCount,
                                   const SessionPlan& plan) {
  const EngineCalls* engine = BindEngine();
  if (!engine) return {};
  ScopedComPtr<IConnectionPoint> events;
  if (FAILED(app.FindConnectionPoint(host::DIID_ApplicationEvents, events.receive()))) return {};

  IDispatch* showWindow = static_cast<ISlideShowWindow*>(&window);
  ScopedComPtr<Driver> driver(new Driver(*engine, showWindow, std::move(events)));
  // Advised before the session is made, not after as in the add-in: the same here, since no
  // notification can come before control returns to the message loop.
  if (FAILED(driver->events_->Advise(static_cast<IDispatch*>(driver.get()), &driver->cookie_))) {
    return {};
  }
  const int screenCount = static_cast<int>(plan.screenMonitors.size());
  // Screen updates frozen while the engine opens its windows, as the add-in's start does.
  ::LockWindowUpdate(::GetDesktopWindow());
  engine->CreateTandrySession(presentationName.c_str(), WindowVariant(showWindow), screenCount,
                              slideCount, plan.fourSlideMonitor);
  for (int i = 0; i < screenCount; ++i) engine->AddSessionInfo(i, plan.screenMonitors[i]);
  engine->StartTandrySession();
  ::LockWindowUpdate(nullptr);
  engine->ActivateSlideShow(WindowVariant(showWindow));
  engine->NextBuild();  // the first capture, before any key
  return driver;
}

Driver::Driver(const EngineCalls& engine, IDispatch* window, ScopedComPtr<IConnectionPoint> events)
    : DispatchObject(kEventMembers, std::size(kEventMembers)),
      engine_(engine),
      window_(window),
      events_(std::move(events)),
      running_(true) {
  window->AddRef();
}

HRESULT Driver::InvokeMember(Invocation& call) {
  if (!running_) return S_OK;
  switch (call.id()) {
    case events::kSlideShowNextBuild:
      engine_.NextBuild();
      break;
    case events::kSlideShowNextSlide:
      ForwardNextSlide();
      break;
    case events::kSlideShowEnd:
      Stop();
      break;
    default:
      break;
  }
  return S_OK;
}

// The running show's current slide, whichever show raised the notification; a slide that can't
// be read is not forwarded, since the engine expects the number of the slide now shown.
void Driver::ForwardNextSlide() {
  LONG slide = 0;
  if (SUCCEEDED(GetCurrentSlideIndex(window_.get(), slide))) engine_.NextSlide(slide, L"");
}

// The add-in's stop: no more notifications, the engine's windows and bitmaps go, the show ends
// (if it has not already), and the session is destroyed.
void Driver::Stop() {
  running_ = false;
  ScopedComPtr<Driver> keepAlive(this);  // unadvising drops the connection's reference
  AddRef();
  if (cookie_) events_->Unadvise(std::exchange(cookie_, 0));
  engine_.StopTandrySession();
  ScopedComPtr<IDispatch> view;
  if (SUCCEEDED(latebound::GetDispatch(window_.get(), L"View", view))) {
    latebound::Call(view.get(), L"Exit");
  }
  engine_.DestroyTandrySession();
}

}  // namespace tandry::standin
