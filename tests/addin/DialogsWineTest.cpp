// The settings dialog and the two password dialogs as a user meets them: their windows and
// controls as designed at 96 dots per inch, the monitor lists driven by clicks, Enter, Escape and
// the close command, the about box over the dialog, and the lock password set, refused and
// accepted through the real registry and the real engine. Also the host's shutdown arriving
// while the add-in waits in them: every dialog and message box ends, none as accepted.
#include <gmock/gmock.h>
#include <windows.h>

#include <string>
#include <vector>

#include "AddinLife.h"
#include "DialogDriver.h"
#include "DialogLayouts.h"
#include "FakeHost.h"
#include "ImportModule.h"
#include "MainModule.h"
#include "MessagePump.h"
#include "SettingsForm.h"
#include "ShowControl.h"
#include "StoredSettings.h"
#include "SystemPorts.h"

namespace {

using namespace tandry::addin;
using namespace tandry::wintest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

void __stdcall NoShortcut() {}

RECT RectIn(HWND window, HWND container) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  ::GetClassNameW(window, name, 32);
  return name;
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Frame && kind != ControlKind::Label;
}

// The window class of each kind of control and the style that makes it that kind.
struct KindCheck {
  ControlKind kind;
  const wchar_t* windowClass;
  LONG styleMask;
  LONG style;
};

constexpr KindCheck kKinds[] = {
    {ControlKind::Frame, L"Button", BS_TYPEMASK, BS_GROUPBOX},
    {ControlKind::Label, L"Static", SS_TYPEMASK, SS_LEFT},
    {ControlKind::DropDownList, L"ComboBox", 3, CBS_DROPDOWNLIST},
    {ControlKind::CheckBox, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX},
    {ControlKind::ListBox, L"ListBox", LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_SORT, 0},
    {ControlKind::Button, L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
    {ControlKind::DefaultButton, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON},
    {ControlKind::CancelButton, L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
    {ControlKind::ArrowButton, L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
    {ControlKind::PasswordBox, L"Edit", ES_PASSWORD, ES_PASSWORD},
};

// The dialog's window and every control of its layout, as designed, at 96 dots per inch.
void ExpectLayout(HWND dialog, const DialogLayout& layout) {
  EXPECT_EQ(TextOf(dialog), Wide(layout.caption));
  RECT client{};
  ::GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, layout.clientWidth);
  EXPECT_EQ(client.bottom, layout.clientHeight);
  const LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(::GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  EXPECT_NE(::GetWindow(dialog, GW_OWNER), nullptr);  // so no task-bar entry

  RECT frame{};
  std::vector<int> designedTabOrder;
  for (const ControlRow& row : layout.rows) {
    const HWND control = ::GetDlgItem(dialog, row.id);
    ASSERT_NE(control, nullptr) << row.id;
    RECT box = RectIn(control, dialog);
    if (row.kind == ControlKind::Frame) frame = box;
    if (row.inFrame) ::OffsetRect(&box, -frame.left, -frame.top);
    EXPECT_EQ(box.left, row.box.left) << row.id;
    EXPECT_EQ(box.top, row.box.top) << row.id;
    EXPECT_EQ(box.right - box.left, row.box.width) << row.id;
    EXPECT_EQ(box.bottom - box.top, row.box.height) << row.id;
    if (row.kind != ControlKind::ListBox && row.kind != ControlKind::DropDownList) {
      EXPECT_EQ(TextOf(control), Wide(row.caption)) << row.id;
    }
    for (const KindCheck& kind : kKinds) {
      if (kind.kind != row.kind) continue;
      EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), kind.windowClass), 0) << row.id;
      EXPECT_EQ(::GetWindowLongW(control, GWL_STYLE) & kind.styleMask, kind.style) << row.id;
    }
    if (row.kind == ControlKind::PasswordBox) {
      EXPECT_EQ(::SendMessageW(control, EM_GETPASSWORDCHAR, 0, 0), L'*') << row.id;
    }
    if (row.kind == ControlKind::ArrowButton) {
      LOGFONTW font{};
      ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
      EXPECT_STREQ(font.lfFaceName, L"Wingdings");
      EXPECT_EQ(font.lfCharSet, SYMBOL_CHARSET);
      EXPECT_EQ(font.lfHeight, -11);  // 8.25 points
      EXPECT_EQ(font.lfWeight, FW_NORMAL);
    }
    if (row.kind == ControlKind::DefaultButton) {
      EXPECT_EQ(LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0)), row.id);
    }
    if (row.kind == ControlKind::CheckBox) {
      EXPECT_FALSE(ControlChecked(dialog, row.id)) << row.id;
    }
    if (TakesFocus(row.kind)) designedTabOrder.push_back(row.id);
  }

  std::vector<int> tabOrder;
  const HWND first = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (HWND control = first; control && tabOrder.size() <= layout.rows.size();) {
    tabOrder.push_back(::GetDlgCtrlID(control));
    control = ::GetNextDlgTabItem(dialog, control, FALSE);
    if (control == first) break;
  }
  EXPECT_EQ(tabOrder, designedTabOrder);
}

// Whether `window` is centred on `area` (to the pixel that an odd difference leaves).
void ExpectCentredOn(HWND window, const RECT& area) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  EXPECT_LE(std::abs((rect.left + rect.right) - (area.left + area.right)), 1);
  EXPECT_LE(std::abs((rect.top + rect.bottom) - (area.top + area.bottom)), 1);
}

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() {
    for (const char16_t* name : {u"Talk.ppt", u"Demo.ppt"}) {
      auto presentation = std::make_shared<test::FakeObject>(test::Narrow(name), log_);
      presentation->Set(u"Name", std::u16string(name));
      presentations_.push_back(presentation);
    }
    auto collection = std::make_shared<test::FakeObject>("Presentations", log_);
    collection->Set(u"Count", 2);
    collection->Getter(u"Item", [this](const Arguments& arguments) -> Result {
      return Value{ObjectRef(presentations_.at(*AsLong(*arguments.at(0)) - 1))};
    });
    app_->Set(u"Presentations", ObjectRef(collection));
  }
  void SetUp() override {
    tandry::ScopedGetDC screen(nullptr);
    ASSERT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSX), 96);
    ASSERT_TRUE(store_.Write(u"Password", u""));
  }
  void TearDown() override { store_.Write(u"Password", u""); }

  // Loads the settings dialog, fills it and shows it while `script` drives it.
  void Show(SettingsForm& form, const MonitorList& order, bool notes, bool fourSlides,
            const std::function<void(HWND)>& script) {
    form.Initialize(app_, presentations_[1], order, notes, fourSlides);
    DriveDialog(L"Setup Tandry", [&] { form.ShowModal(); }, script);
  }

  ImportModule declared_{NoShortcut};
  RegistrySettings store_;
  SystemMessageBoxes messages_;
  test::CallLog log_;
  test::FakeRef app_ = std::make_shared<test::FakeObject>("App", log_);
  std::vector<test::FakeRef> presentations_;
};

TEST_F(DialogsTest, SettingsDialogIsLaidOutAsDesigned) {
  SettingsForm form(declared_, store_, messages_);
  ExpectLayout(form.window(), SettingsFormLayout());
  EXPECT_FALSE(::IsWindowVisible(::GetWindow(form.window(), GW_OWNER)));
  EXPECT_EQ(ControlText(form.window(), settings_form::IncludeCommand), L"\u00DF");
  EXPECT_EQ(ControlText(form.window(), settings_form::MoveDownCommand), L"\u00E2");
}

TEST_F(DialogsTest, UserChoosesMonitorsAndStartsTheShowWithEnterOnceStartIsEnabled) {
  using namespace settings_form;
  SettingsForm form(declared_, store_, messages_);
  Show(form, {0, 2, 1}, true, false, [&](HWND dialog) {
    ExpectCentredOn(dialog,
                    RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
    EXPECT_EQ(FocusOf(dialog), ::GetDlgItem(dialog, PPTListCombo));
    EXPECT_EQ(ControlText(dialog, PPTListCombo), L"Demo.ppt");
    EXPECT_EQ(ControlText(dialog, MonitorCountLabel), L"This system has 3 monitors.\r\n");
    EXPECT_THAT(ListItems(dialog, IncludeMonitorList),
                ElementsAre(L"Monitor 1: notes", L"Monitor 3: slide show", L"Monitor 2: cascade"));
    EXPECT_THAT(ListItems(dialog, ExcludeMonitorList), IsEmpty());
    EXPECT_EQ(ControlText(dialog, LastMonitor4SlidesCheck), L"Display 4 slides on monitor 2");
    EXPECT_EQ(ControlText(dialog, PasswordCommand), L"Change &Password...");
    EXPECT_TRUE(ControlEnabled(dialog, OKCommand));
    EXPECT_FALSE(ControlEnabled(dialog, IncludeCommand));
    EXPECT_FALSE(ControlEnabled(dialog, MoveUpCommand));

    ClickItem(dialog, IncludeMonitorList, 2);
    EXPECT_TRUE(ControlEnabled(dialog, MoveUpCommand));
    EXPECT_FALSE(ControlEnabled(dialog, MoveDownCommand));
    Click(dialog, ExcludeCommand);
    EXPECT_THAT(ListItems(dialog, IncludeMonitorList),
                ElementsAre(L"Monitor 1: notes", L"Monitor 3: slide show"));
    EXPECT_THAT(ListItems(dialog, ExcludeMonitorList), ElementsAre(L"Monitor 2"));
    EXPECT_EQ(ListSelection(dialog, ExcludeMonitorList), 0);
    EXPECT_TRUE(ControlEnabled(dialog, IncludeCommand));
    EXPECT_FALSE(ControlEnabled(dialog, OKCommand));  // notes need three monitors
    FocusControl(dialog, PPTListCombo);
    PressKey(dialog, VK_RETURN);
    ::Sleep(200);
    ::SendMessageW(dialog, WM_NULL, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(dialog));

    // The about box is modal over the dialog and leaves it as it was.
    ClickLater(dialog, AboutCommand);
    const HWND about = WaitForDialog(L"About");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    PressKey(about, VK_ESCAPE);
    EXPECT_TRUE(WaitUntilClosed(about, dialog));
    EXPECT_TRUE(::IsWindowEnabled(dialog));
    EXPECT_THAT(ListItems(dialog, IncludeMonitorList),
                ElementsAre(L"Monitor 1: notes", L"Monitor 3: slide show"));

    Click(dialog, DisplayNotesCheck);
    EXPECT_THAT(ListItems(dialog, IncludeMonitorList),
                ElementsAre(L"Monitor 1: slide show", L"Monitor 3: cascade"));
    EXPECT_EQ(ListSelection(dialog, IncludeMonitorList), 1);
    EXPECT_TRUE(ControlEnabled(dialog, OKCommand));

    Click(dialog, IncludeCommand);
    ClickItem(dialog, IncludeMonitorList, 2);
    Click(dialog, MoveUpCommand);
    EXPECT_THAT(
        ListItems(dialog, IncludeMonitorList),
        ElementsAre(L"Monitor 1: slide show", L"Monitor 2: cascade", L"Monitor 3: cascade"));
    EXPECT_EQ(ListSelection(dialog, IncludeMonitorList), 1);
    EXPECT_EQ(ControlText(dialog, LastMonitor4SlidesCheck), L"Display 4 slides on monitor 3");

    // The four-slide box clears silently with three chosen monitors, and is refused with one.
    Click(dialog, LastMonitor4SlidesCheck);
    EXPECT_TRUE(ControlChecked(dialog, LastMonitor4SlidesCheck));
    Click(dialog, LastMonitor4SlidesCheck);
    EXPECT_FALSE(ControlChecked(dialog, LastMonitor4SlidesCheck));
    Click(dialog, ExcludeCommand);
    Click(dialog, ExcludeCommand);
    EXPECT_THAT(ListItems(dialog, IncludeMonitorList), ElementsAre(L"Monitor 1: slide show"));
    EXPECT_TRUE(ControlChecked(dialog, LastMonitor4SlidesCheck));
    ClickLater(dialog, LastMonitor4SlidesCheck);
    EXPECT_EQ(AnswerMessageBox(dialog),
              L"You need to select more than 1 monitor to clear this checkbox.");
    EXPECT_TRUE(ControlChecked(dialog, LastMonitor4SlidesCheck));

    ClickItem(dialog, ExcludeMonitorList, 1);
    Click(dialog, IncludeCommand);
    // Enter on a focused button presses that button; on the presentation box, the start button.
    FocusControl(dialog, PPTListCombo);
    ::SendDlgItemMessageW(dialog, PPTListCombo, CB_SETCURSEL, 0, 0);
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(WaitUntilHidden(dialog));
  });
  EXPECT_TRUE(form.OKPressed());
  MonitorList order{7};
  form.GetMonitorOrder(order);
  EXPECT_THAT(order, ElementsAre(7, 0, 2));
  EXPECT_EQ(form.GetPresName(), u"Talk.ppt");
  EXPECT_FALSE(form.DisplayNotesChecked());
  EXPECT_TRUE(form.LastMonitor4SlidesChecked());
}

// Escape and the window's close command both leave the dialog without its choices.
TEST_F(DialogsTest, PasswordIsStoredAtOnceLocksTheNextDisplayAndUnlocksIt) {
  {
    SettingsForm form(declared_, store_, messages_);
    Show(form, {0}, false, false, [&](HWND dialog) {
      using namespace change_password_form;
      ClickLater(dialog, settings_form::PasswordCommand);
      const HWND change = WaitForDialog(L"Change Password");
      ASSERT_NE(change, nullptr);
      ExpectLayout(change, ChangePasswordFormLayout());
      EXPECT_EQ(::GetWindow(change, GW_OWNER), dialog);
      RECT owner{};
      ::GetWindowRect(dialog, &owner);
      ExpectCentredOn(change, owner);
      EXPECT_FALSE(::IsWindowEnabled(dialog));
      EXPECT_EQ(FocusOf(change), ::GetDlgItem(change, CurrentPasswordText));

      Click(change, ShowCharsCheck);
      EXPECT_EQ(::SendDlgItemMessageW(change, CurrentPasswordText, EM_GETPASSWORDCHAR, 0, 0), 0);
      EXPECT_EQ(::SendDlgItemMessageW(change, NewPasswordText, EM_GETPASSWORDCHAR, 0, 0), 0);
      EXPECT_EQ(::SendDlgItemMessageW(change, New2PasswordText, EM_GETPASSWORDCHAR, 0, 0), L'*');
      Click(change, ShowCharsCheck);
      EXPECT_EQ(::SendDlgItemMessageW(change, NewPasswordText, EM_GETPASSWORDCHAR, 0, 0), L'*');

      Type(change, NewPasswordText, L"abc");
      Type(change, New2PasswordText, L"abd");
      PressKey(change, VK_RETURN);
      EXPECT_EQ(AnswerMessageBox(change),
                L"The new passwords do not match. Please enter new passwords again.");
      EXPECT_EQ(ControlText(change, NewPasswordText), L"");
      EXPECT_EQ(ControlText(change, New2PasswordText), L"");
      EXPECT_EQ(FocusOf(change), ::GetDlgItem(change, NewPasswordText));
      Type(change, NewPasswordText, L"abc");
      Type(change, New2PasswordText, L"abc");
      PressKey(change, VK_RETURN);
      EXPECT_TRUE(WaitUntilClosed(change, dialog));
      EXPECT_TRUE(::IsWindowEnabled(dialog));
      EXPECT_TRUE(ControlEnabled(dialog, settings_form::IncludeMonitorList));
      PressKey(dialog, VK_ESCAPE);
      EXPECT_TRUE(WaitUntilHidden(dialog));
    });
    EXPECT_FALSE(form.OKPressed());
  }
  EXPECT_EQ(GetStoredPassword(store_), EncryptText(declared_, u"abc"));
  EXPECT_EQ(GetStoredPassword(store_).value_or(u"").size(), 3u);

  SettingsForm form(declared_, store_, messages_);
  Show(form, {0}, false, false, [&](HWND dialog) {
    using namespace set_password_form;
    EXPECT_FALSE(ControlEnabled(dialog, settings_form::IncludeMonitorList));
    EXPECT_FALSE(ControlEnabled(dialog, settings_form::DisplayNotesCheck));
    EXPECT_TRUE(ControlEnabled(dialog, settings_form::OKCommand));
    EXPECT_EQ(ControlText(dialog, settings_form::PasswordCommand), L"Set &Password...");
    ClickLater(dialog, settings_form::PasswordCommand);
    const HWND set = WaitForDialog(L"Set Password");
    ASSERT_NE(set, nullptr);
    ExpectLayout(set, SetPasswordFormLayout());
    Type(set, PasswordText, L"ABC");
    PressKey(set, VK_RETURN);
    EXPECT_EQ(AnswerMessageBox(set), L"Incorrect Password. Please enter password again.");
    EXPECT_EQ(ControlText(set, PasswordText), L"");
    EXPECT_EQ(FocusOf(set), ::GetDlgItem(set, PasswordText));
    EXPECT_TRUE(::IsWindowVisible(set));
    Type(set, PasswordText, L"abc");
    Click(set, OKCommand);
    EXPECT_TRUE(WaitUntilClosed(set, dialog));
    EXPECT_TRUE(ControlEnabled(dialog, settings_form::IncludeMonitorList));
    EXPECT_EQ(ControlText(dialog, settings_form::PasswordCommand), L"Change &Password...");
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntilHidden(dialog));
  });
  EXPECT_FALSE(form.OKPressed());
}

// The start/stop toggle of the add-in's module loads the real dialog: a cancelled display
// stores nothing, an accepted one stores its choices and the start runs with them (here the
// chosen presentation's show does not start, so the start ends with its refusal).
TEST_F(DialogsTest, ToggleStoresTheChoicesAndStartsTheChosenPresentation) {
  using namespace settings_form;
  test::FakePresentation talk("Talk", 3, log_);
  test::FakePresentation demo("Demo", 2, log_);
  talk.showFails = demo.showFails = true;
  auto presentations = std::make_shared<test::FakeObject>("Presentations", log_);
  presentations->Set(u"Count", 2);
  presentations->Getter(u"Item", [&](const Arguments& arguments) -> Result {
    const Value key = *arguments.at(0);
    const bool first = AsLong(key) == 1 || AsText(key) == u"Talk";
    return Value{ObjectRef(first ? talk.presentation : demo.presentation)};
  });
  auto app = std::make_shared<test::FakeObject>("App", log_);
  app->Set(u"Presentations", ObjectRef(presentations))
      .Set(u"ActivePresentation", ObjectRef(demo.presentation));
  for (const char16_t* name : {u"MonitorOrder", u"ShowNotes", u"LastMonitor4Slides"}) {
    ASSERT_TRUE(store_.Write(name, u""));
  }
  Module& module = MainModule();
  module.state.App = app;
  module.state.Settings = SettingsRecord{};
  module.state.Settings.MonitorOrder = {0, 1, 2};

  DriveDialog(L"Setup Tandry", [&] { StartStopShow(module); }, [](HWND dialog) {
    EXPECT_EQ(ControlText(dialog, PPTListCombo), L"Demo");
    PressKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(WaitUntilHidden(dialog));
  });
  EXPECT_EQ(store_.Read(u"MonitorOrder", u"none"), u"");
  EXPECT_THAT(module.state.Settings.MonitorOrder, ElementsAre(0, 1, 2));

  std::wstring refusal;
  DriveDialog(L"Setup Tandry", [&] { StartStopShow(module); }, [&](HWND dialog) {
    ::SendDlgItemMessageW(dialog, PPTListCombo, CB_SETCURSEL, 0, 0);
    Click(dialog, ExcludeCommand);  // Monitor 1 goes: 2, 3 remain
    Click(dialog, LastMonitor4SlidesCheck);
    FocusControl(dialog, PPTListCombo);
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(WaitUntilHidden(dialog));
    refusal = AnswerMessageBox(dialog);
  });
  EXPECT_EQ(refusal, L"Tandry could not start the slide show.");
  EXPECT_FALSE(IsShowRunning(module));
  EXPECT_EQ(store_.Read(u"MonitorOrder", u""), u"1,2");
  EXPECT_EQ(store_.Read(u"ShowNotes", u""), u"0");
  EXPECT_EQ(store_.Read(u"LastMonitor4Slides", u""), u"1");
  const SettingsRecord& settings = module.state.Settings;
  EXPECT_TRUE(SameObject(settings.Presentation, talk.presentation));
  EXPECT_THAT(settings.MonitorOrder, ElementsAre(1, 2));
  EXPECT_FALSE(settings.ShowNotes);
  EXPECT_TRUE(settings.LastMonitor4Slides);
  EXPECT_EQ(settings.SessionMode, kMultiScreen);
  module.state.App = nullptr;
}

// The add-in's module loads the real settings dialog; the host shuts the add-in down while it
// waits in the dialogs that `script` opens over it: the module's shutdown, run from inside the
// innermost modal loop, ends them all. The settings dialog's window is given back, for what the
// test reads after the show.
HWND ShowUntilShutdown(SettingsDialog& form, const std::function<void(HWND)>& script) {
  CallInLoop shutdown([] { AddinShutdown(MainModule()); });
  HWND settings = nullptr;
  DriveDialog(L"Setup Tandry", [&] { form.ShowModal(); }, [&](HWND dialog) {
    settings = dialog;
    script(dialog);
    shutdown.Post();
    EXPECT_TRUE(WaitUntilHidden(dialog));
  });
  return settings;
}

TEST_F(DialogsTest, ShutdownInAMessageBoxOverAPasswordDialogEndsAllThree) {
  SavePassword(store_, declared_, u"abc");
  const std::unique_ptr<SettingsDialog> form = MainModule().objects.LoadSettingsForm();
  form->Initialize(app_, presentations_[1], {0}, false, false);
  HWND set = nullptr;
  HWND box = nullptr;
  const HWND settings = ShowUntilShutdown(*form, [&](HWND dialog) {
    ClickLater(dialog, settings_form::PasswordCommand);
    set = WaitForDialog(L"Set Password");
    ASSERT_NE(set, nullptr);
    Type(set, set_password_form::PasswordText, L"ABC");
    PressKey(set, VK_RETURN);
    box = WaitForDialog(L"Tandry");
    ASSERT_NE(box, nullptr);
  });
  EXPECT_FALSE(form->OKPressed());
  EXPECT_FALSE(::IsWindowVisible(settings));
  EXPECT_FALSE(::IsWindow(set));
  EXPECT_FALSE(::IsWindow(box));
}

}  // namespace
