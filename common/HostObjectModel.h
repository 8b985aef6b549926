// What the add-in and the stand-in presentation program agree on about the host's automation
// objects: class and interface identifiers, the DISPIDs of the members and events that are used,
// the constants passed to and read from them, the COM add-in connection interface and where the
// host finds its registered add-ins. The numbers are the presentation program's published ones;
// the one marked "stand-in's own" has no public source and is reached by name only.
// The slide-show window's early-bound interface is declared in SlideShowWindow.h.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "HostConstants.h"

namespace tandry::host {

// {91493441-5A91-11CF-8700-00AA0060263B}: the Application class, under which the running
// program registers itself as the active object.
inline constexpr CLSID CLSID_Application = {
    0x91493441, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// {91493442-5A91-11CF-8700-00AA0060263B}: the Application's own interface (_Application), which
// another program's Application does not answer.
inline constexpr IID IID_Application = {
    0x91493442, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// {914934C2-5A91-11CF-8700-00AA0060263B}: the application's event dispinterface, the source
// that sinks advise on through the Application's connection points.
inline constexpr IID DIID_ApplicationEvents = {
    0x914934C2, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

// {000C0351-0000-0000-C000-000000000046}: a command bar button's event dispinterface (Click).
inline constexpr IID DIID_CommandBarButtonEvents = {
    0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}: the COM add-in connection interface.
inline constexpr IID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

// DISPIDs, one namespace per object. Collections share Count (11) and Item (DISPID_VALUE).
namespace application {
enum : DISPID {
  kPresentations = 2001,
  kActivePresentation = 2005,
  kCommandBars = 2007,
  kVersion = 2014,
  kQuit = 2021,  // stand-in's own
  kCOMAddIns = 2035,
};
}  // namespace application

// Events of DIID_ApplicationEvents: Begin, NextBuild and NextSlide pass the SlideShowWindow, End
// the Presentation whose show ended, each as one VT_DISPATCH argument.
namespace application_events {
enum : DISPID {
  kSlideShowBegin = 2011,
  kSlideShowNextBuild = 2012,
  kSlideShowNextSlide = 2013,
  kSlideShowEnd = 2014,
};
}  // namespace application_events

namespace collection {
enum : DISPID { kItem = DISPID_VALUE, kCount = 11 };
}  // namespace collection

namespace slides {
enum : DISPID { kAdd = 2004 };  // Add(Index, Layout): the new Slide
}  // namespace slides

namespace presentation {
enum : DISPID {
  kSlides = 2011,
  kSlideShowSettings = 2015,
  kName = 2025,
  kSlideShowWindow = 2047,
};
}  // namespace presentation

namespace slide_show_settings {
enum : DISPID { kRun = 2008 };  // starts the show, returns its SlideShowWindow
}  // namespace slide_show_settings

namespace slide_show_view {
enum : DISPID {
  kSlide = 2004,
  kGotoSlide = 2021,  // GotoSlide(Index, ResetSlide = msoTrue)
  kExit = 2025,
};
}  // namespace slide_show_view

// A Slide, and the SlideRange that NotesPage returns (which adds Item and Count).
namespace slide {
enum : DISPID {
  kShapes = 2003,
  kSlideIndex = 2018,
  kDisplayMasterShapes = 2020,
  kNotesPage = 2022,
};
}  // namespace slide

namespace shapes {
enum : DISPID { kItem = DISPID_VALUE, kCount = 2 };
}  // namespace shapes

namespace shape {
enum : DISPID { kTextFrame = 121, kType = 124, kPlaceholderFormat = 2005 };
}  // namespace shape

namespace placeholder_format {
enum : DISPID { kType = 2003 };
}  // namespace placeholder_format

namespace text_frame {
enum : DISPID { kTextRange = 2004 };
}  // namespace text_frame

namespace text_range {
enum : DISPID { kText = DISPID_VALUE };
}  // namespace text_range

// CommandBars.FindControl(Type, Id, Tag, Visible): the first match across all bars.
namespace command_bars {
enum : DISPID { kFindControl = 0x60030008 };
}  // namespace command_bars

// Controls.Add(Type, Id, Parameter, Before, Temporary): the new control.
namespace command_bar_controls {
enum : DISPID { kItem = DISPID_VALUE, kAdd = 0x60030000, kCount = 0x60030001 };
}  // namespace command_bar_controls

// Members of a button or popup control; FaceId is a button's, Controls a popup's.
namespace command_bar_control {
enum : DISPID {
  kBeginGroup = 0x60040000,
  kCaption = 0x60040003,
  kDelete = 0x60040007,  // Delete(Temporary)
  kId = 0x60040013,
  kIndex = 0x60040014,
  kTag = 0x60040023,
  kType = 0x60040028,
  kPopupControls = 0x60050001,
  kFaceId = 0x60050003,
};
}  // namespace command_bar_control

// Click(Ctrl, CancelDefault): rgvarg[1] the button (VT_DISPATCH), rgvarg[0] VT_BOOL | VT_BYREF.
namespace command_bar_button_events {
enum : DISPID { kClick = 1 };
}  // namespace command_bar_button_events

namespace com_addins {
enum : DISPID { kItem = DISPID_VALUE, kCount = 1 };
}  // namespace com_addins

// Object is a plain put of the add-in's IDispatch.
namespace com_addin {
enum : DISPID { kDescription = DISPID_VALUE, kProgId = 3, kConnect = 6, kObject = 7 };
}  // namespace com_addin

// IDTExtensibility2's members when called through IDispatch.
namespace extensibility {
enum : DISPID {
  kOnConnection = 1,
  kOnDisconnection = 2,
  kOnAddInsUpdate = 3,
  kOnStartupComplete = 4,
  kOnBeginShutdown = 5,
};
}  // namespace extensibility


// Connection and disconnection modes of IDTExtensibility2 (32-bit enumerations).
inline constexpr LONG kConnectAfterStartup = 0;
inline constexpr LONG kConnectStartup = 1;
inline constexpr LONG kConnectExternal = 2;
inline constexpr LONG kConnectCommandLine = 3;
inline constexpr LONG kDisconnectHostShutdown = 0;
inline constexpr LONG kDisconnectUserClosed = 1;

// The host's add-in list: one subkey per ProgID under the current user's key, with REG_SZ
// FriendlyName and Description and REG_DWORD LoadBehavior (3: connected at every start).
inline constexpr wchar_t kAddinsKey[] = L"Software\\Microsoft\\Office\\PowerPoint\\Addins";
inline constexpr wchar_t kFriendlyNameValue[] = L"FriendlyName";
inline constexpr wchar_t kDescriptionValue[] = L"Description";
inline constexpr wchar_t kLoadBehaviorValue[] = L"LoadBehavior";
inline constexpr DWORD kLoadAtStartup = 3;

// The connection interface that the host calls on every COM add-in, in vtable order after
// IDispatch. `custom` is an array of VARIANT by reference that add-ins don't use.
struct IDTExtensibility2 : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                                 IDispatch* addInInst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

}  // namespace tandry::host
