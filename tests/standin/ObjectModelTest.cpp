// The stand-in's object model under Wine, reached through IDispatch by name as the add-in reaches
// it: the application and its presentations, argument passing in every form a late-bound caller
// uses, failures reported with an EXCEPINFO, notes pages, and slides inserted into a running show.
#include <windows.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "ApplicationObject.h"
#include "Deck.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "MessagePump.h"
#include "PresentationObject.h"
#include "ScopedWin.h"
#include "SlideShowWindowObject.h"
#include "StandinTestSupport.h"
#include "WindowPixels.h"

namespace tandry::standin {
namespace {

using latebound::Arg;
using latebound::Call;
using latebound::Get;
using latebound::GetDispatch;
using latebound::GetLong;
using latebound::GetText;
using latebound::Put;

IDispatch* AsDispatch(ApplicationObject& app) { return static_cast<IDispatch*>(&app); }

// Object `name` (with `args`) of `parent`; null when the read fails.
ScopedComPtr<IDispatch> Member(IDispatch* parent, const wchar_t* name,
                               std::initializer_list<Arg> args = {}) {
  ScopedComPtr<IDispatch> member;
  EXPECT_HRESULT_SUCCEEDED(GetDispatch(parent, name, member, args)) << name;
  return member;
}

std::wstring Text(IDispatch* object, const wchar_t* name, std::initializer_list<Arg> args = {}) {
  std::wstring text;
  EXPECT_HRESULT_SUCCEEDED(GetText(object, name, text, args)) << name;
  return text;
}

LONG Number(IDispatch* object, const wchar_t* name, std::initializer_list<Arg> args = {}) {
  LONG value = -12345;
  EXPECT_HRESULT_SUCCEEDED(GetLong(object, name, value, args)) << name;
  return value;
}

bool SameObject(IUnknown* a, IUnknown* b) {
  ScopedComPtr<IUnknown> x;
  ScopedComPtr<IUnknown> y;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(x.receive()));
  b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(y.receive()));
  return x && x.get() == y.get();
}

Deck Parsed(const char* text) {
  DeckParseResult parsed = ParseDeck(text);
  EXPECT_TRUE(parsed.ok()) << parsed.error;
  return parsed.deck;
}

TEST(ObjectModel, AnApplicationWithoutPresentationsReportsWhatItHasNot) {
  ScopedComPtr<ApplicationObject> app = ApplicationObject::Create("12.0");
  IDispatch* a = AsDispatch(*app.get());
  EXPECT_EQ(Text(a, L"Version"), L"12.0");

  const RawCall active(a, L"ActivePresentation", DISPATCH_PROPERTYGET);
  EXPECT_TRUE(active.FailedWithException()) << std::hex << active.hr;
  ScopedVariant unused;
  EXPECT_HRESULT_FAILED(Get(a, L"ActivePresentation", unused.get()));

  ScopedComPtr<IDispatch> presentations = Member(a, L"Presentations");
  EXPECT_EQ(Number(presentations.get(), L"Count"), 0);
  EXPECT_TRUE(RawCall(presentations.get(), L"Item", DISPATCH_METHOD, {RawVariant(VT_I4, 1)})
                  .FailedWithException());
  EXPECT_TRUE(RawCall(a, L"Quit", DISPATCH_METHOD).FailedWithException());  // nobody to end

  EXPECT_EQ(RawCall(a, L"Zoom", DISPATCH_PROPERTYGET).hr, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(RawCall(a, L"Version", DISPATCH_PROPERTYPUT, {RawVariant(VT_I4, 1)}).hr,
            DISP_E_MEMBERNOTFOUND);  // read only
}

TEST(ObjectModel, PresentationsAnswerByPositionOrNameHoweverTheArgumentIsPassed) {
  ScopedComPtr<ApplicationObject> app = ApplicationObject::Create("11.0");
  app->Open("a.deck", GenerateDeck(3));
  app->Open("b.deck", GenerateDeck(2));
  IDispatch* a = AsDispatch(*app.get());
  ScopedComPtr<IDispatch> active = Member(a, L"ActivePresentation");
  EXPECT_EQ(Text(active.get(), L"Name"), L"b.deck");  // the last opened is in front
  ScopedComPtr<IDispatch> presentations = Member(a, L"Presentations");
  IDispatch* p = presentations.get();
  EXPECT_EQ(Number(p, L"Count"), 2);
  EXPECT_TRUE(SameObject(Member(p, L"Item", {2}).get(), active.get()));

  LONG two = 2;
  const BSTR upperA = SysAllocString(L"A.DECK");
  const struct {
    const char* what;
    WORD flags;
    VARIANT index;
    std::vector<const wchar_t*> named;
    const wchar_t* name;
  } found[] = {
      {"VT_I4 as a method", DISPATCH_METHOD, RawVariant(VT_I4, 1), {}, L"a.deck"},
      {"VT_I2 as a get", DISPATCH_PROPERTYGET, RawVariant(VT_I2, 2), {}, L"b.deck"},
      {"VT_UI1, both flags", DISPATCH_METHOD | DISPATCH_PROPERTYGET, RawVariant(VT_UI1, 1), {},
       L"a.deck"},
      {"VT_R8", DISPATCH_METHOD, [] {
         VARIANT v = RawVariant(VT_R8, 0);
         v.dblVal = 2.0;
         return v;
       }(), {}, L"b.deck"},
      {"VT_I4 by reference", DISPATCH_METHOD, [&] {
         VARIANT v = RawVariant(VT_I4 | VT_BYREF, 0);
         v.plVal = &two;
         return v;
       }(), {}, L"b.deck"},
      {"a name, any case", DISPATCH_METHOD, [&] {
         VARIANT v = RawVariant(VT_BSTR, 0);
         v.bstrVal = upperA;
         return v;
       }(), {}, L"a.deck"},
      {"the named argument Index", DISPATCH_METHOD, RawVariant(VT_I4, 1), {L"Index"}, L"a.deck"},
  };
  for (const auto& c : found) {
    RawCall item(p, L"Item", c.flags, {c.index}, c.named);
    ASSERT_HRESULT_SUCCEEDED(item.hr) << c.what;
    ASSERT_EQ((*item.result).vt, VT_DISPATCH) << c.what;
    EXPECT_EQ(Text((*item.result).pdispVal, L"Name"), c.name) << c.what;
  }
  SysFreeString(upperA);

  VARIANT missing = RawVariant(VT_ERROR, 0);
  missing.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(RawCall(p, L"Item", DISPATCH_METHOD).hr, DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(RawCall(p, L"Item", DISPATCH_METHOD, {missing}).hr, DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(RawCall(p, L"Item", DISPATCH_METHOD, {RawVariant(VT_DISPATCH, 0)}).hr,
            DISP_E_TYPEMISMATCH);
  for (const Arg& outside : {Arg(0), Arg(3), Arg(L"c.deck")}) {
    ScopedVariant none;
    EXPECT_HRESULT_FAILED(Get(p, L"Item", none.get(), {outside}));
  }
}

TEST(ObjectModel, NotesPagesGiveTheirShapesInPageOrder) {
  ScopedComPtr<ApplicationObject> app = ApplicationObject::Create("11.0");
  app->Open("notes.deck", Parsed("slide: Mixed\n"
                                 "notes-shape: title\n"
                                 "note: Page title\n"
                                 "notes-shape: textbox\n"
                                 "note: Only a box\n"
                                 "notes-shape: body\n"
                                 "notes-shape: body\n"
                                 "note: First paragraph\n"
                                 "note: Second paragraph\n"
                                 "notes-shape: placeholder 5\n"
                                 "note: Footer\n"
                                 "slide: Without notes\n"));
  ScopedComPtr<IDispatch> slides =
      Member(Member(AsDispatch(*app.get()), L"ActivePresentation").get(), L"Slides");
  ScopedComPtr<IDispatch> shapes =
      Member(Member(Member(slides.get(), L"Item", {1}).get(), L"NotesPage").get(), L"Shapes");
  const struct {
    LONG type;
    LONG placeholderType;  // 0: not a placeholder, so PlaceholderFormat fails
    const wchar_t* text;
  } expected[] = {{host::kMsoPlaceholder, host::kPlaceholderTitle, L"Page title"},
                  {host::kMsoTextBox, 0, L"Only a box"},
                  {host::kMsoPlaceholder, host::kPlaceholderBody, L""},
                  {host::kMsoPlaceholder, host::kPlaceholderBody,
                   L"First paragraph\rSecond paragraph"},
                  {host::kMsoPlaceholder, 5, L"Footer"}};
  ASSERT_EQ(Number(shapes.get(), L"Count"), static_cast<LONG>(std::size(expected)));
  for (LONG i = 1; i <= static_cast<LONG>(std::size(expected)); ++i) {
    const auto& e = expected[i - 1];
    ScopedComPtr<IDispatch> shape = Member(shapes.get(), L"Item", {i});
    EXPECT_EQ(Number(shape.get(), L"Type"), e.type) << i;
    ScopedComPtr<IDispatch> format;
    const HRESULT formatRead = GetDispatch(shape.get(), L"PlaceholderFormat", format);
    if (e.placeholderType == 0) {
      EXPECT_TRUE(RawCall(shape.get(), L"PlaceholderFormat", DISPATCH_PROPERTYGET)
                      .FailedWithException()) << i;
    } else {
      ASSERT_HRESULT_SUCCEEDED(formatRead) << i;
      EXPECT_EQ(Number(format.get(), L"Type"), e.placeholderType) << i;
    }
    ScopedComPtr<IDispatch> range = Member(Member(shape.get(), L"TextFrame").get(), L"TextRange");
    EXPECT_EQ(Text(range.get(), L"Text"), e.text) << i;
  }
  EXPECT_TRUE(RawCall(shapes.get(), L"Item", DISPATCH_METHOD, {RawVariant(VT_I4, 6)})
                  .FailedWithException());

  ScopedComPtr<IDispatch> none =
      Member(Member(Member(slides.get(), L"Item", {2}).get(), L"NotesPage").get(), L"Shapes");
  EXPECT_EQ(Number(none.get(), L"Count"), 0);
}

// A show of five slides that starts on slide 2, run through SlideShowSettings.Run.
class RunningShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = ApplicationObject::Create("11.0");
    Deck deck = GenerateDeck(5);
    deck.startSlide = 2;
    app_->Open("five.deck", std::move(deck));
    presentation_ = Member(AsDispatch(*app_.get()), L"ActivePresentation");
    slides_ = Member(presentation_.get(), L"Slides");
    ASSERT_HRESULT_SUCCEEDED(
        GetDispatch(Member(presentation_.get(), L"SlideShowSettings").get(), L"Run", window_));
    view_ = Member(window_.get(), L"View");
  }
  void TearDown() override {
    Call(view_.get(), L"Exit");
    wintest::DispatchPendingMessages();
  }

  LONG ShownSlide() { return Number(Member(view_.get(), L"Slide").get(), L"SlideIndex"); }
  HWND Window() {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(Number(window_.get(), L"HWND")));
  }

  ScopedComPtr<ApplicationObject> app_;
  ScopedComPtr<IDispatch> presentation_;
  ScopedComPtr<IDispatch> slides_;
  ScopedComPtr<IDispatch> window_;
  ScopedComPtr<IDispatch> view_;
};

TEST_F(RunningShowTest, RunStartsOnTheDeckStartSlideAndOnlyOnce) {
  EXPECT_EQ(ShownSlide(), 2);
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_TRUE(SameObject(Member(presentation_.get(), L"SlideShowWindow").get(), window_.get()));
  ScopedComPtr<IDispatch> second;
  EXPECT_HRESULT_FAILED(
      GetDispatch(Member(presentation_.get(), L"SlideShowSettings").get(), L"Run", second));

  ASSERT_HRESULT_SUCCEEDED(Call(view_.get(), L"Exit"));
  EXPECT_TRUE(RawCall(presentation_.get(), L"SlideShowWindow", DISPATCH_PROPERTYGET)
                  .FailedWithException());
  ScopedComPtr<IDispatch> again;  // a new show may start once the last one ended
  ASSERT_HRESULT_SUCCEEDED(
      GetDispatch(Member(presentation_.get(), L"SlideShowSettings").get(), L"Run", again));
  Call(Member(again.get(), L"View").get(), L"Exit");
}

TEST_F(RunningShowTest, SlidesAddInsertsABlankSlideThatMovesTheLaterOnesUpInTheShow) {
  ASSERT_HRESULT_SUCCEEDED(Call(view_.get(), L"GotoSlide", {3}));
  ScopedComPtr<IDispatch> third = Member(slides_.get(), L"Item", {3});

  ScopedComPtr<IDispatch> added;
  ASSERT_HRESULT_SUCCEEDED(GetDispatch(slides_.get(), L"Add", added, {2, host::kLayoutBlank}));
  EXPECT_EQ(Number(added.get(), L"SlideIndex"), 2);
  EXPECT_EQ(Number(slides_.get(), L"Count"), 6);
  EXPECT_EQ(Number(third.get(), L"SlideIndex"), 4);  // the same slide, one number up
  EXPECT_EQ(ShownSlide(), 4);                         // and still the one shown
  EXPECT_TRUE(SameObject(Member(view_.get(), L"Slide").get(), third.get()));

  // The blank slide wears its own colour; without the master's shapes it shows nothing else.
  EXPECT_EQ(Number(added.get(), L"DisplayMasterShapes"), host::kMsoTrue);
  ASSERT_HRESULT_SUCCEEDED(Put(added.get(), L"DisplayMasterShapes", host::kMsoFalse));
  EXPECT_EQ(Number(added.get(), L"DisplayMasterShapes"), host::kMsoFalse);
  ASSERT_HRESULT_SUCCEEDED(Call(view_.get(), L"GotoSlide", {2}));
  const wintest::WindowPixels blank = wintest::WholeWindowPixels(Window());
  EXPECT_EQ(blank.Count(BackgroundColour(6)), blank.Width() * blank.Height());

  // Named arguments in any order; at the end; refused outside the deck, for other layouts and
  // without its required layout.
  RawCall named(slides_.get(), L"Add", DISPATCH_METHOD,
                {RawVariant(VT_I2, 7), RawVariant(VT_I4, host::kLayoutBlank)},
                {L"Index", L"Layout"});
  ASSERT_HRESULT_SUCCEEDED(named.hr);
  EXPECT_EQ(Number((*named.result).pdispVal, L"SlideIndex"), 7);
  EXPECT_TRUE(RawCall(slides_.get(), L"Add", DISPATCH_METHOD,
                      {RawVariant(VT_I4, host::kLayoutBlank), RawVariant(VT_I4, 9)})
                  .FailedWithException());
  EXPECT_TRUE(RawCall(slides_.get(), L"Add", DISPATCH_METHOD,
                      {RawVariant(VT_I4, 11), RawVariant(VT_I4, 1)})
                  .FailedWithException());
  EXPECT_EQ(RawCall(slides_.get(), L"Add", DISPATCH_METHOD, {RawVariant(VT_I4, 1)}).hr,
            DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(Number(slides_.get(), L"Count"), 7);

  // The show runs through the inserted slides like through the others.
  PressKey(Window(), VK_END);
  EXPECT_EQ(ShownSlide(), 7);
  PressKey(Window(), VK_HOME);
  PressKey(Window(), VK_RIGHT);
  EXPECT_EQ(ShownSlide(), 2);
}

}  // namespace
}  // namespace tandry::standin
