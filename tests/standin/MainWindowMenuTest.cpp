// The command bars of the stand-in under Wine, through IDispatch by name as the add-in uses them,
// against the real menu of the program's main window: FindControl, Controls.Add and the menu
// order it makes, the buttons' members, Click on the advised sinks of a chosen button, and the
// controls that live on to the next start.
#include <windows.h>
#include <olectl.h>

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "Deck.h"
#include "Host.h"
#include "HostObjectModel.h"
#include "KeptControls.h"
#include "LateBound.h"
#include "MessagePump.h"
#include "ScopedWin.h"
#include "StandinTestSupport.h"

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;
using latebound::Arg;

const Arg kMissing = Arg::Missing();

// Records every Click it gets, checking the arguments' layout, and cancels the control's own
// action when asked to.
class ClickSink final : public IDispatch {
 public:
  std::vector<IDispatch*> clicked;  // the Ctrl of each call, not held
  bool cancel = false;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != host::DIID_CommandBarButtonEvents) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    EXPECT_EQ(id, host::command_bar_button_events::kClick);
    EXPECT_TRUE(flags & DISPATCH_METHOD);
    EXPECT_EQ(params->cArgs, 2u);
    EXPECT_EQ(params->rgvarg[0].vt, VT_BOOL | VT_BYREF);  // CancelDefault
    EXPECT_EQ(params->rgvarg[1].vt, VT_DISPATCH);         // Ctrl
    EXPECT_EQ(*params->rgvarg[0].pboolVal, VARIANT_FALSE);
    if (cancel) *params->rgvarg[0].pboolVal = VARIANT_TRUE;
    clicked.push_back(params->rgvarg[1].pdispVal);
    return S_OK;
  }
};

// Chooses the item with text `text` in one popup of the main window's real menu, as the menu
// reports a choice to its window.
void Choose(HWND window, UINT popup, const std::wstring& text) {
  const HMENU menu = GetSubMenu(GetMenu(window), static_cast<int>(popup));
  const std::vector<std::wstring> texts = MenuTexts(window, popup);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] != text) continue;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, static_cast<int>(i)), 0), 0);
    return;
  }
  ADD_FAILURE() << "no menu item " << std::string(text.begin(), text.end());
}

bool SameObject(IUnknown* a, IUnknown* b) {
  ScopedComPtr<IUnknown> x;
  ScopedComPtr<IUnknown> y;
  if (!a || !b) return a == b;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(x.receive()));
  b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(y.receive()));
  return x.get() == y.get();
}

class MainWindowMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostOptions options;
    options.presentations.emplace_back("talk.deck", GenerateDeck(3));
    host_ = Host::Start(std::move(options));
    ASSERT_TRUE(host_);
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(App(), L"CommandBars", bars_));
  }
  void TearDown() override {
    host_.reset();
    wintest::DispatchPendingMessages();
  }

  IDispatch* App() { return static_cast<IDispatch*>(&host_->app()); }
  // FindControl(Type, Id, Tag); null for Nothing.
  ScopedComPtr<IDispatch> Find(const Arg& type, const Arg& id, const Arg& tag = kMissing) {
    ScopedVariant found;
    EXPECT_HRESULT_SUCCEEDED(latebound::Call(bars_.get(), L"FindControl", {type, id, tag},
                                             found.get()));
    EXPECT_EQ((*found).vt, VT_DISPATCH);
    IDispatch* control = (*found).pdispVal;
    if (control) control->AddRef();
    return ScopedComPtr<IDispatch>(control);
  }
  ScopedComPtr<IDispatch> SlideShowControls() {
    ScopedComPtr<IDispatch> controls;
    EXPECT_HRESULT_SUCCEEDED(latebound::GetDispatch(
        Find(kMissing, host::kSlideShowPopupId).get(), L"Controls", controls));
    return controls;
  }
  // Controls.Add(1, , , before, temporary).
  ScopedComPtr<IDispatch> AddButton(const Arg& before, bool temporary) {
    ScopedComPtr<IDispatch> button;
    EXPECT_HRESULT_SUCCEEDED(latebound::GetDispatch(
        SlideShowControls().get(), L"Add", button,
        {host::kMsoControlButton, kMissing, kMissing, before, temporary}));
    return button;
  }
  LONG Number(IDispatch* object, const wchar_t* name) {
    LONG value = -1;
    EXPECT_HRESULT_SUCCEEDED(latebound::GetLong(object, name, value)) << name;
    return value;
  }

  std::unique_ptr<Host> host_;
  ScopedComPtr<IDispatch> bars_;
};

TEST_F(MainWindowMenuTest, FindControlFindsTheFirstControlByIdOrTagAndOtherwiseNothing) {
  ScopedComPtr<IDispatch> popup = Find(kMissing, host::kSlideShowPopupId);
  ASSERT_TRUE(popup);
  EXPECT_EQ(Number(popup.get(), L"Type"), host::kMsoControlPopup);
  ScopedComPtr<IDispatch> anchor = Find(kMissing, host::kSlideShowAnchorControlId);
  ASSERT_TRUE(anchor);
  EXPECT_EQ(Number(anchor.get(), L"Index"), 1);
  ScopedComPtr<IDispatch> first;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(SlideShowControls().get(), L"Item", first, {1}));
  EXPECT_TRUE(SameObject(first.get(), anchor.get()));

  EXPECT_FALSE(Find(kMissing, kMissing, L"Tandry"));
  EXPECT_FALSE(Find(host::kMsoControlPopup, host::kSlideShowAnchorControlId));
  EXPECT_FALSE(Find(kMissing, 99999));

  ScopedComPtr<IDispatch> earlier = AddButton(1, true);
  ScopedComPtr<IDispatch> later = AddButton(kMissing, true);
  ASSERT_HRESULT_SUCCEEDED(latebound::Put(later.get(), L"Tag", L"Tandry"));
  ASSERT_HRESULT_SUCCEEDED(latebound::Put(earlier.get(), L"Tag", L"Tandry"));
  EXPECT_TRUE(SameObject(Find(kMissing, kMissing, L"Tandry").get(), earlier.get()));
  ASSERT_HRESULT_SUCCEEDED(latebound::Call(earlier.get(), L"Delete"));
  EXPECT_TRUE(SameObject(Find(kMissing, kMissing, L"Tandry").get(), later.get()));
}

TEST_F(MainWindowMenuTest, ControlsAddPutsRealMenuItemsWhereAskedWithTheirMembers) {
  const LONG before = Number(Find(kMissing, host::kSlideShowAnchorControlId).get(), L"Index");
  ScopedComPtr<IDispatch> start = AddButton(before, true);
  ScopedComPtr<IDispatch> about = AddButton(before + 1, true);
  ASSERT_TRUE(start && about);
  using latebound::Put;
  ASSERT_HRESULT_SUCCEEDED(Put(start.get(), L"BeginGroup", true));
  ASSERT_HRESULT_SUCCEEDED(Put(start.get(), L"Caption", L"Start Tandry..."));
  ASSERT_HRESULT_SUCCEEDED(Put(start.get(), L"FaceId", 303));
  ASSERT_HRESULT_SUCCEEDED(Put(start.get(), L"Tag", L"Tandry"));
  ASSERT_HRESULT_SUCCEEDED(Put(about.get(), L"Caption", L"About Tandry..."));
  ASSERT_HRESULT_SUCCEEDED(Put(about.get(), L"Tag", L"AboutTandry"));
  ASSERT_HRESULT_SUCCEEDED(Put(about.get(), L"BeginGroup", true));

  const HWND window = host_->mainWindow();
  EXPECT_THAT(MenuTexts(window, kSlideShowMenu),
              ElementsAre(L"Start Tandry...", L"-", L"About Tandry...", L"&View Show",
                          L"Set &Up Show...", L"&Rehearse Timings", L"-", L"Custom Sho&ws..."));
  EXPECT_EQ(Number(start.get(), L"Index"), 1);
  EXPECT_EQ(Number(about.get(), L"Index"), 2);
  EXPECT_EQ(Number(Find(kMissing, host::kSlideShowAnchorControlId).get(), L"Index"), 3);
  EXPECT_EQ(Number(start.get(), L"FaceId"), 303);
  EXPECT_EQ(Number(start.get(), L"Type"), host::kMsoControlButton);
  EXPECT_EQ(Number(start.get(), L"Id"), 1);
  ScopedVariant group;
  ASSERT_HRESULT_SUCCEEDED(latebound::Get(start.get(), L"BeginGroup", group.get()));
  EXPECT_EQ((*group).vt, VT_BOOL);
  EXPECT_EQ((*group).boolVal, VARIANT_TRUE);

  ASSERT_HRESULT_SUCCEEDED(latebound::Call(about.get(), L"Delete"));
  EXPECT_THAT(MenuTexts(window, kSlideShowMenu),
              ElementsAre(L"Start Tandry...", L"&View Show", L"Set &Up Show...",
                          L"&Rehearse Timings", L"-", L"Custom Sho&ws..."));
  EXPECT_TRUE(RawCall(about.get(), L"Caption", DISPATCH_PROPERTYGET).FailedWithException());
  EXPECT_FALSE(Find(kMissing, kMissing, L"AboutTandry"));

  // Refused: positions outside the popup, other control types, a button's Controls.
  ScopedComPtr<IDispatch> controls = SlideShowControls();
  for (const auto& args : {std::vector<VARIANT>{RawVariant(VT_I4, 0), RawVariant(VT_ERROR, 0),
                                                RawVariant(VT_ERROR, 0), RawVariant(VT_I4, 1)},
                           std::vector<VARIANT>{RawVariant(VT_I4, 8), RawVariant(VT_ERROR, 0),
                                                RawVariant(VT_ERROR, 0), RawVariant(VT_I4, 1)},
                           std::vector<VARIANT>{RawVariant(VT_I4, host::kMsoControlPopup)}}) {
    std::vector<VARIANT> lastFirst = args;
    for (VARIANT& v : lastFirst) {
      if (v.vt == VT_ERROR) v.scode = DISP_E_PARAMNOTFOUND;
    }
    EXPECT_TRUE(RawCall(controls.get(), L"Add", DISPATCH_METHOD, lastFirst).FailedWithException());
  }
  EXPECT_TRUE(RawCall(start.get(), L"Controls", DISPATCH_PROPERTYGET).FailedWithException());
  EXPECT_EQ(Number(controls.get(), L"Count"), 5);
}

TEST_F(MainWindowMenuTest, ChoosingAButtonRaisesClickOnEveryAdvisedSinkUntilUnadvised) {
  ScopedComPtr<IDispatch> button = AddButton(1, true);
  ASSERT_HRESULT_SUCCEEDED(latebound::Put(button.get(), L"Caption", L"Press me"));
  ClickSink first;
  ClickSink second;
  DWORD firstCookie = 0;
  DWORD secondCookie = 0;
  ASSERT_HRESULT_SUCCEEDED(latebound::Advise(button.get(), host::DIID_CommandBarButtonEvents,
                                             &first, firstCookie));
  ASSERT_HRESULT_SUCCEEDED(latebound::Advise(button.get(), host::DIID_CommandBarButtonEvents,
                                             &second, secondCookie));
  const HWND window = host_->mainWindow();
  Choose(window, kSlideShowMenu, L"Press me");
  ASSERT_EQ(first.clicked.size(), 1u);
  ASSERT_EQ(second.clicked.size(), 1u);
  EXPECT_TRUE(SameObject(first.clicked[0], button.get()));

  ASSERT_HRESULT_SUCCEEDED(
      latebound::Unadvise(button.get(), host::DIID_CommandBarButtonEvents, firstCookie));
  Choose(window, kSlideShowMenu, L"Press me");
  EXPECT_EQ(first.clicked.size(), 1u);
  EXPECT_EQ(second.clicked.size(), 2u);
  Choose(window, kSlideShowMenu, L"&View Show");  // nobody listens there
  EXPECT_EQ(second.clicked.size(), 2u);

  // The keyboard reaches the same item: Alt, the popup's letter, Enter on its first item, all
  // queued at once for the menu's own loop to read.
  SetForegroundWindow(window);
  std::vector<INPUT> keys;
  for (const WORD key : {WORD{VK_MENU}, WORD{'D'}, WORD{VK_RETURN}}) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = flags;
      keys.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  EXPECT_TRUE(wintest::PumpUntil([&] { return second.clicked.size() == 3u; }, 3000));

  // The File menu's Exit runs after Click, unless a sink cancels it.
  ScopedComPtr<IDispatch> exitControl = Find(kMissing, 752);
  ClickSink canceller;
  canceller.cancel = true;
  DWORD cookie = 0;
  ASSERT_HRESULT_SUCCEEDED(latebound::Advise(exitControl.get(), host::DIID_CommandBarButtonEvents,
                                             &canceller, cookie));
  Choose(window, 0, L"E&xit");
  EXPECT_EQ(canceller.clicked.size(), 1u);
  EXPECT_FALSE(host_->exited());
  latebound::Unadvise(exitControl.get(), host::DIID_CommandBarButtonEvents, cookie);
  Choose(window, 0, L"E&xit");
  EXPECT_TRUE(host_->exited());
  EXPECT_FALSE(IsWindow(window));
}

TEST(MainWindowMenuKept, AButtonThatIsNotTemporaryIsBackAtTheNextStart) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kKeptControlsKey);
  HostOptions options;
  options.keepControls = true;
  const auto addAndExit = [&] {
    std::unique_ptr<Host> host = Host::Start(options);
    ASSERT_TRUE(host);
    ScopedComPtr<IDispatch> bars;
    ASSERT_HRESULT_SUCCEEDED(
        latebound::GetDispatch(static_cast<IDispatch*>(&host->app()), L"CommandBars", bars));
    ScopedComPtr<IDispatch> popup;
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(bars.get(), L"FindControl", popup,
                                                    {kMissing, host::kSlideShowPopupId}));
    ScopedComPtr<IDispatch> controls;
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(popup.get(), L"Controls", controls));
    for (const bool temporary : {false, true}) {
      ScopedComPtr<IDispatch> button;
      ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(controls.get(), L"Add", button,
                                                      {1, kMissing, kMissing, 2, temporary}));
      latebound::Put(button.get(), L"Caption", temporary ? L"Gone" : L"Left over");
      latebound::Put(button.get(), L"Tag", L"Tandry");
    }
  };
  addAndExit();
  addAndExit();  // the kept one from the first run is found again, now at 3

  std::unique_ptr<Host> host = Host::Start(options);
  ASSERT_TRUE(host);
  EXPECT_THAT(MenuTexts(host->mainWindow(), kSlideShowMenu),
              ElementsAre(L"&View Show", L"Left over", L"Left over", L"Set &Up Show...",
                          L"&Rehearse Timings", L"-", L"Custom Sho&ws..."));
  host.reset();
  RegDeleteTreeW(HKEY_CURRENT_USER, kKeptControlsKey);
}

}  // namespace
}  // namespace tandry::standin
