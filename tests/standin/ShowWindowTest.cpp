// The stand-in's slide show under Wine: its window and keys, its captures, its automation object
// and its notifications.
#include <windows.h>
#include <olectl.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ApplicationObject.h"
#include "Automation.h"
#include "Deck.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "MessagePump.h"
#include "Monitors.h"
#include "ScopedWin.h"
#include "SlideShowWindowObject.h"
#include "StandinTestSupport.h"
#include "TestBinding.h"
#include "WindowPixels.h"

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;
using namespace host::application_events;
using host::DIID_ApplicationEvents;
using wintest::DispatchPendingMessages;
using wintest::DispatchVariant;
using wintest::WholeWindowPixels;
using wintest::WindowPixels;

constexpr unsigned kKeyA = 0x41;

struct Notification {
  DISPID event = 0;
  LONG slide = 0;            // View.Slide.SlideIndex of the window passed (window events)
  std::string presentation;  // Name of the presentation passed (the end)
  COLORREF background = 0;   // of a capture made inside the notification
  int markedPixels = 0;      // pixels of that capture not in the background colour
  bool windowOpen = false;
};

HWND HandleOf(IDispatch* slideShowWindow) {
  ScopedComPtr<ISlideShowWindow> early;
  LONG handle = 0;
  if (FAILED(slideShowWindow->QueryInterface(IID_SlideShowWindow,
                                             reinterpret_cast<void**>(early.receive()))) ||
      FAILED(early->get_HWND(&handle))) {
    return nullptr;
  }
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
}

int MarkedPixels(const WindowPixels& capture, COLORREF background) {
  return capture.Width() * capture.Height() - capture.Count(background);
}

const DispatchMember kSinkMembers[] = {{L"SlideShowBegin", kSlideShowBegin},
                                       {L"SlideShowNextBuild", kSlideShowNextBuild},
                                       {L"SlideShowNextSlide", kSlideShowNextSlide},
                                       {L"SlideShowEnd", kSlideShowEnd}};

// Records each notification with what the show looks like at that moment.
class RecordingSink final : public DispatchObject<IDispatch> {
 public:
  RecordingSink() : DispatchObject(kSinkMembers, std::size(kSinkMembers)) {}
  std::vector<Notification> received;
  std::vector<DISPID> events() const {
    std::vector<DISPID> ids;
    for (const Notification& n : received) ids.push_back(n.event);
    return ids;
  }
  std::function<void(DISPID)> onEvent;  // runs after the recording

 private:
  HRESULT InvokeMember(Invocation& call) override {
    Notification n;
    n.event = call.id();
    ScopedVariant passed;
    EXPECT_HRESULT_SUCCEEDED(call.Argument(0, VT_DISPATCH, *passed.get()));
    EXPECT_FALSE(call.Given(1));
    IDispatch* argument = (*passed).pdispVal;
    if (n.event == kSlideShowEnd) {
      std::wstring name;
      if (SUCCEEDED(latebound::GetText(argument, L"Name", name))) {
        n.presentation.assign(name.begin(), name.end());
      }
      n.windowOpen = IsWindow(lastWindow_);
    } else {
      lastWindow_ = HandleOf(argument);
      n.windowOpen = IsWindow(lastWindow_);
      EXPECT_HRESULT_SUCCEEDED(GetCurrentSlideIndex(argument, n.slide));
      const WindowPixels capture = WholeWindowPixels(lastWindow_);
      n.background = capture.At(4, 4);
      n.markedPixels = MarkedPixels(capture, n.background);
    }
    received.push_back(n);
    if (onEvent) onEvent(n.event);
    return S_OK;
  }
  HWND lastWindow_ = nullptr;
};

// A show of five generated slides with 0, 1, 2, 3 and 0 build steps on the primary monitor,
// watched by a recording sink that was advised before the show began.
class StandinShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = ApplicationObject::Create("11.0");
    ASSERT_HRESULT_SUCCEEDED(app_->FindConnectionPoint(DIID_ApplicationEvents, point_.receive()));
    sink_.reset(new RecordingSink());
    ASSERT_HRESULT_SUCCEEDED(point_->Advise(sink_.get(), &cookie_));
    ASSERT_TRUE(MonitorRectByIndex(0, monitor_));
    show_ = app_->Open("five slides", GenerateDeck(5)).RunShow(monitor_);
    ASSERT_TRUE(show_);
    window_ = show_->window();
  }

  void TearDown() override {
    if (show_) show_->show().End();
    DispatchPendingMessages();
  }

  void Press(unsigned virtualKey) { PressKey(window_, virtualKey); }
  void Click() {
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  }
  // The show's position as slide * 10 + builds, for compact expectations.
  int Position() { return show_->show().slide() * 10 + show_->show().builds(); }

  IDispatch* ShowDispatch() { return static_cast<ISlideShowWindow*>(show_.get()); }

  ScopedComPtr<ApplicationObject> app_;
  ScopedComPtr<IConnectionPoint> point_;
  ScopedComPtr<RecordingSink> sink_;
  DWORD cookie_ = 0;
  RECT monitor_{};
  ScopedComPtr<SlideShowWindowObject> show_;
  HWND window_ = nullptr;
};

TEST_F(StandinShowTest, OpensAVisibleScreenClassWindowOverTheMonitor) {
  char className[64] = {};
  GetClassNameA(window_, className, sizeof className);
  EXPECT_STREQ(className, "screenClass");
  EXPECT_TRUE(IsWindowVisible(window_));
  RECT rect;
  GetWindowRect(window_, &rect);
  EXPECT_TRUE(EqualRect(&rect, &monitor_));
  EXPECT_EQ(Position(), 10);
}

TEST_F(StandinShowTest, PresenterKeysMoveBuildStepsAndSlides) {
  const struct {
    unsigned key;
    int position;
  } steps[] = {
      {VK_RIGHT, 20}, {VK_SPACE, 21}, {VK_RETURN, 30}, {VK_DOWN, 31}, {VK_NEXT, 32},
      {'N', 40},      {VK_LEFT, 32},  {VK_BACK, 31},   {VK_UP, 30},   {VK_PRIOR, 21},
      {'P', 20},      {kKeyA, 20},    {VK_END, 50},    {VK_HOME, 10}, {VK_SHIFT, 10},
  };
  for (const auto& step : steps) {
    Press(step.key);
    EXPECT_EQ(Position(), step.position) << "after key 0x" << std::hex << step.key;
  }
  Click();
  EXPECT_EQ(Position(), 20);
}

TEST_F(StandinShowTest, OnlyKeyDownMovesTheShow) {
  SendMessageA(window_, WM_KEYUP, VK_RIGHT, 0xC0000001);
  SendMessageA(window_, WM_SYSKEYDOWN, VK_RIGHT, 1);
  SendMessageA(window_, WM_RBUTTONDOWN, MK_RBUTTON, 0);
  SendMessageA(window_, WM_MBUTTONDOWN, MK_MBUTTON, 0);
  EXPECT_EQ(Position(), 10);
}

TEST_F(StandinShowTest, PrintWindowCapturesTheSlideNowShown) {
  WindowPixels capture = WholeWindowPixels(window_);
  ASSERT_EQ(capture.Width(), monitor_.right - monitor_.left);
  EXPECT_EQ(capture.At(4, 4), BackgroundColour(1));
  EXPECT_EQ(capture.At(capture.Width() - 4, capture.Height() - 4), BackgroundColour(1));
  // Most of a slide is its background; the rest is its title and number.
  EXPECT_GT(capture.Count(BackgroundColour(1)), capture.Width() * capture.Height() * 9 / 10);
  const int slideOneMarks = MarkedPixels(capture, BackgroundColour(1));
  EXPECT_GT(slideOneMarks, 0);

  Press(VK_RIGHT);  // slide 2, no bullet yet
  capture = WholeWindowPixels(window_);
  EXPECT_EQ(capture.Count(BackgroundColour(1)), 0);
  EXPECT_EQ(capture.At(4, 4), BackgroundColour(2));
  const int unbuilt = MarkedPixels(capture, BackgroundColour(2));

  Press(VK_SPACE);  // its bullet appears
  capture = WholeWindowPixels(window_);
  EXPECT_EQ(capture.At(4, 4), BackgroundColour(2));
  EXPECT_GT(MarkedPixels(capture, BackgroundColour(2)), unbuilt);
}

TEST_F(StandinShowTest, TheScreenShowsWhatACaptureShows) {
  Press(VK_END);
  UpdateWindow(window_);
  ScopedGetDC dc(window_);
  const COLORREF onScreen = GetPixel(dc.get(), 4, 4);
  EXPECT_EQ(onScreen, BackgroundColour(5));
}

TEST_F(StandinShowTest, ReadsHwndThroughTheInterfaceSlotAfterTheHeightSetter) {
  VARIANT asVariant = DispatchVariant(ShowDispatch());
  ScopedComPtr<IUnknown> early;
  ASSERT_HRESULT_SUCCEEDED(asVariant.pdispVal->QueryInterface(
      IID_SlideShowWindow, reinterpret_cast<void**>(early.receive())));
  // Slot 20: IDispatch's seven, then Application, Parent, View, Presentation, IsFullScreen and
  // the get/put pairs of Left, Top, Width and Height.
  using GetHwnd = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, LONG*);
  const auto slot = reinterpret_cast<GetHwnd*>(*reinterpret_cast<void***>(early.get()))[20];
  LONG handle = 0;
  ASSERT_HRESULT_SUCCEEDED(slot(early.get(), &handle));
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)), window_);
}

TEST_F(StandinShowTest, ReachesTheWindowsMembersByNameAndDispid) {
  const struct {
    const wchar_t* name;
    DISPID id;
  } members[] = {{L"Application", 0x7D1},  {L"Parent", 0x7D2},       {L"View", 0x7D3},
                 {L"Presentation", 0x7D4}, {L"IsFullScreen", 0x7D5}, {L"Left", 0x7D6},
                 {L"Top", 0x7D7},          {L"Width", 0x7D8},        {L"Height", 0x7D9},
                 {L"hwnd", 0x7DA},         {L"Active", 0x7DB},       {L"Activate", 0x7DC}};
  for (const auto& member : members) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(member.name)};
    EXPECT_HRESULT_SUCCEEDED(
        ShowDispatch()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(id, member.id);
  }
  LONG handle = 0;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetLong(ShowDispatch(), L"HWND", handle));
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)), window_);
  LONG fullScreen = 0;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetLong(ShowDispatch(), L"IsFullScreen", fullScreen));
  EXPECT_EQ(fullScreen, -1);
  ScopedComPtr<IDispatch> presentation;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(ShowDispatch(), L"Presentation", presentation));
  std::wstring name;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetText(presentation.get(), L"Name", name));
  EXPECT_EQ(name, L"five slides");

  DISPID unknown = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Zoom")};
  EXPECT_EQ(ShowDispatch()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &unknown),
            DISP_E_UNKNOWNNAME);
}

TEST_F(StandinShowTest, ReportsAndMovesTheWindowInPoints) {
  const int ppi = ScreenPixelsPerInch(LOGPIXELSX);
  ASSERT_EQ(ppi, ScreenPixelsPerInch(LOGPIXELSY));
  ISlideShowWindow* early = show_.get();
  float value = -1;
  ASSERT_HRESULT_SUCCEEDED(early->get_Width(&value));
  EXPECT_FLOAT_EQ(value, PixelsToPoints(monitor_.right - monitor_.left, ppi));

  // Over the monitor right of the primary, (1920, 0) 1920 x 1080, as the add-in places a show.
  RECT right;
  ASSERT_TRUE(MonitorRectByIndex(2, right));
  ASSERT_HRESULT_SUCCEEDED(early->put_Left(PixelsToPoints(right.left, ppi)));
  ASSERT_HRESULT_SUCCEEDED(early->put_Top(PixelsToPoints(right.top, ppi)));
  ASSERT_HRESULT_SUCCEEDED(early->put_Width(PixelsToPoints(right.right - right.left, ppi)));
  ASSERT_HRESULT_SUCCEEDED(early->put_Height(PixelsToPoints(right.bottom - right.top, ppi)));
  RECT rect;
  GetWindowRect(window_, &rect);
  EXPECT_TRUE(EqualRect(&rect, &right));

  // By name too: left of the primary, where Left is negative.
  RECT left;
  ASSERT_TRUE(MonitorRectByIndex(1, left));
  VARIANT points;
  VariantInit(&points);
  points.vt = VT_R4;
  points.fltVal = PixelsToPoints(left.left, ppi);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{&points, &put, 1, 1};
  ASSERT_HRESULT_SUCCEEDED(ShowDispatch()->Invoke(kDispLeft, IID_NULL, LOCALE_USER_DEFAULT,
                                                  DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                                  nullptr));
  GetWindowRect(window_, &rect);
  EXPECT_EQ(rect.left, left.left);
  ScopedVariant read;
  ASSERT_HRESULT_SUCCEEDED(latebound::Get(ShowDispatch(), L"Left", read.get()));
  EXPECT_EQ((*read).vt, VT_R4);
  EXPECT_FLOAT_EQ((*read).fltVal, PixelsToPoints(left.left, ppi));
}

TEST_F(StandinShowTest, ViewGoesToSlidesAndExits) {
  ScopedComPtr<IDispatch> view;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(ShowDispatch(), L"View", view));
  IDispatch* v = view.get();
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(GetCurrentSlideIndex(ShowDispatch(), index));
  EXPECT_EQ(index, 1);

  Press(VK_END);
  Press(VK_HOME);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  Press(VK_SPACE);
  ASSERT_EQ(Position(), 31);
  using latebound::Call;
  // The presentation program's true starts the slide over.
  ASSERT_HRESULT_SUCCEEDED(Call(v, L"GotoSlide", {4, host::kMsoTrue}));
  EXPECT_EQ(Position(), 40);
  ASSERT_HRESULT_SUCCEEDED(Call(v, L"GotoSlide", {3, host::kMsoFalse}));  // as it was left
  EXPECT_EQ(Position(), 31);
  ASSERT_HRESULT_SUCCEEDED(Call(v, L"GotoSlide", {5}));  // reset left out
  EXPECT_EQ(Position(), 50);
  ASSERT_HRESULT_SUCCEEDED(GetCurrentSlideIndex(ShowDispatch(), index));
  EXPECT_EQ(index, 5);
  EXPECT_HRESULT_FAILED(Call(v, L"GotoSlide", {6}));
  EXPECT_HRESULT_FAILED(Call(v, L"GotoSlide"));

  ASSERT_HRESULT_SUCCEEDED(Call(v, L"Exit"));
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_HRESULT_FAILED(GetCurrentSlideIndex(ShowDispatch(), index));
  LONG handle = 0;
  EXPECT_HRESULT_FAILED(show_->get_HWND(&handle));
  EXPECT_HRESULT_SUCCEEDED(Call(v, L"Exit"));  // a second exit changes nothing
  const std::vector<DISPID> events = sink_->events();
  EXPECT_EQ(std::count(events.begin(), events.end(), kSlideShowEnd), 1);
  EXPECT_EQ(events.back(), kSlideShowEnd);
}

TEST_F(StandinShowTest, NotificationsArriveInOrderWithTheShowInStep) {
  Press(VK_RIGHT);  // slide 2
  Press(VK_SPACE);  // its bullet
  Press(VK_SPACE);  // slide 3
  Press(VK_LEFT);   // back to slide 2, complete
  Press(VK_BACK);   // its bullet hidden: no notification
  Press(VK_ESCAPE);
  EXPECT_THAT(
      sink_->events(),
      ElementsAre(kSlideShowBegin, kSlideShowNextSlide, kSlideShowNextSlide, kSlideShowNextBuild,
                  kSlideShowNextSlide, kSlideShowNextSlide, kSlideShowEnd));
  const auto& r = sink_->received;
  // SlideShowBegin and the first slide come before the window shows, already painted.
  EXPECT_EQ(r[0].slide, 1);
  EXPECT_EQ(r[1].slide, 1);
  EXPECT_EQ(r[1].background, BackgroundColour(1));
  // Each next slide comes with the new slide current and in a capture.
  EXPECT_EQ(r[2].slide, 2);
  EXPECT_EQ(r[2].background, BackgroundColour(2));
  EXPECT_EQ(r[4].slide, 3);
  EXPECT_EQ(r[4].background, BackgroundColour(3));
  EXPECT_EQ(r[5].slide, 2);
  EXPECT_EQ(r[5].background, BackgroundColour(2));
  // The next build comes before its bullet is visible; going back shows the slide complete.
  EXPECT_EQ(r[3].slide, 2);
  EXPECT_EQ(r[3].markedPixels, r[2].markedPixels);
  EXPECT_GT(r[5].markedPixels, r[2].markedPixels);
  // The end comes while the window still stands, with the presentation; then the window goes.
  EXPECT_EQ(r[6].presentation, "five slides");
  EXPECT_TRUE(r[6].windowOpen);
  EXPECT_FALSE(IsWindow(window_));
  for (const Notification& n : r) EXPECT_TRUE(n.windowOpen);
}

TEST_F(StandinShowTest, ASinkMayEndTheShowOrUnadviseInsideANotification) {
  ScopedComPtr<RecordingSink> second(new RecordingSink());
  DWORD secondCookie = 0;
  ASSERT_HRESULT_SUCCEEDED(point_->Advise(second.get(), &secondCookie));
  sink_->onEvent = [&](DISPID) { point_->Unadvise(secondCookie); };
  second->onEvent = [&](DISPID) { ADD_FAILURE() << "called after it was unadvised"; };
  Press(VK_RIGHT);
  EXPECT_TRUE(second->received.empty());

  sink_->onEvent = [&](DISPID id) {
    if (id == kSlideShowNextBuild) show_->show().End();
  };
  Press(VK_RIGHT);  // the first build of slide 2 ends the show before it is shown
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(show_->show().builds(), 0);
  EXPECT_THAT(sink_->events(),
              ElementsAre(kSlideShowBegin, kSlideShowNextSlide, kSlideShowNextSlide,
                          kSlideShowNextBuild, kSlideShowEnd));
}

TEST_F(StandinShowTest, ConnectionPointRefusesWhatItDoesNotKnow) {
  ScopedComPtr<IConnectionPoint> other;
  EXPECT_EQ(app_->FindConnectionPoint(IID_IPropertyNotifySink, other.receive()),
            CONNECT_E_NOCONNECTION);
  EXPECT_EQ(point_->Unadvise(cookie_ + 100), CONNECT_E_NOCONNECTION);
  IID iid{};
  ASSERT_HRESULT_SUCCEEDED(point_->GetConnectionInterface(&iid));
  EXPECT_EQ(iid, DIID_ApplicationEvents);
  ASSERT_HRESULT_SUCCEEDED(point_->Unadvise(cookie_));
  EXPECT_EQ(point_->Unadvise(cookie_), CONNECT_E_NOCONNECTION);
  Press(VK_RIGHT);
  EXPECT_EQ(sink_->received.size(), 2u);  // begin and first slide only
}

TEST_F(StandinShowTest, ClosingTheWindowEndsTheShowFirst) {
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(sink_->events().back(), kSlideShowEnd);
  EXPECT_TRUE(sink_->received.back().windowOpen);
}

TEST_F(StandinShowTest, NextPastTheEndEndsTheShow) {
  Press(VK_END);
  Press(VK_RIGHT);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(sink_->events().back(), kSlideShowEnd);
}

}  // namespace
}  // namespace tandry::standin
