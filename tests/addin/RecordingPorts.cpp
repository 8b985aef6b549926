// The recording fakes of the add-in's ports.
#include "RecordingPorts.h"

#include <string>
#include <utility>

#include "Scrambler.h"

namespace tandry::addin::test {
namespace {

constexpr SystemHandle kDesktop = 0xDE5C;
constexpr SystemHandle kScreenDC = 0xDC;

std::string Text(std::u16string_view text) { return "\"" + Narrow(text) + "\""; }
std::string Object(const ObjectRef& object) { return Describe(Value{object}); }
std::string Number(std::int64_t value) { return std::to_string(value); }

std::string ListText(const MonitorList& list) {
  std::string text;
  for (std::int32_t index : list) text += (text.empty() ? "" : ",") + Number(index);
  return "[" + text + "]";
}

// The answering dialog, which also logs what it is given and runs `whileShown` in its "modal
// loop"; once `ended` is set from outside, it answers as cancelled.
class StubDialog : public AnsweringDialog {
 public:
  StubDialog(const DialogAnswer& answer, std::function<void()> whileShown, const bool& ended,
             CallLog& log)
      : AnsweringDialog(answer), whileShown_(std::move(whileShown)), ended_(ended), log_(log) {}
  ~StubDialog() override { log_.push_back("dialog unloaded"); }

  void Initialize(const ObjectRef& host, const ObjectRef& pres, const MonitorList& order,
                  bool showNotes, bool lastMonitor4Slides) override {
    log_.push_back("dialog Initialize " + Object(host) + " " + Object(pres) + " " +
                   ListText(order) + " notes " + Number(showNotes) + " four " +
                   Number(lastMonitor4Slides));
  }
  void ShowModal() override {
    log_.push_back("dialog ShowModal");
    if (whileShown_) whileShown_();
  }
  bool OKPressed() const override { return !ended_ && AnsweringDialog::OKPressed(); }

 private:
  std::function<void()> whileShown_;
  const bool& ended_;
  CallLog& log_;
};

class RecordingSink : public SlideShowEventSink {
 public:
  RecordingSink(CallLog& log, int& connectedSinks) : log_(log), connectedSinks_(connectedSinks) {
    log_.push_back("Ssw created");
  }
  ~RecordingSink() override {
    Connect(false);
    log_.push_back("Ssw released");
  }
  void SetHostApp(const ObjectRef& app) override {
    log_.push_back("Ssw HostApp " + Object(app));
    Connect(app != nullptr);
  }

 private:
  void Connect(bool connect) {
    if (connect != connected_) connectedSinks_ += connect ? 1 : -1;
    connected_ = connect;
  }

  CallLog& log_;
  int& connectedSinks_;
  bool connected_ = false;
};

class ButtonHolder : public MenuButtonHolder {
 public:
  ObjectRef StartStopTandryCBB() const override { return startStop_; }
  void SetStartStopTandryCBB(const ObjectRef& button) override { startStop_ = button; }
  ObjectRef AboutTandryCBB() const override { return about_; }
  void SetAboutTandryCBB(const ObjectRef& button) override { about_ = button; }

 private:
  ObjectRef startStop_;
  ObjectRef about_;
};

}  // namespace

bool RecordingDeclared::Runs(const std::string& function, const std::string& line) {
  if (missing.count(function)) return false;
  ++calls[function];
  if (!line.empty()) log_.push_back(line);
  return true;
}

bool RecordingDeclared::RunsInSession(const std::string& function, const std::string& line) {
  if (!Runs(function, line)) return false;
  if (!outside.sessionCreated) ++outside.callsWithoutSession;
  return true;
}

bool RecordingDeclared::InitializeTandry() {
  return Runs("InitializeTandry", "InitializeTandry");
}
bool RecordingDeclared::ShowAboutForm() { return Runs("ShowAboutForm", "ShowAboutForm"); }

bool RecordingDeclared::GetMonitorCount(std::int32_t& usable, std::int32_t& system,
                                        std::int32_t& reserved) {
  if (!Runs("GetMonitorCount")) return false;
  usable = usableMonitors;
  system = systemMonitors;
  reserved = 0;
  return true;
}

bool RecordingDeclared::GetMonitorInfo(std::int32_t index, std::int32_t& left,
                                       std::int32_t& top, std::int32_t& width,
                                       std::int32_t& height) {
  if (!Runs("GetMonitorInfo")) return false;
  // Like the engine: outside its list the outputs stay as they were.
  if (index < 0 || index >= static_cast<std::int32_t>(monitors.size())) return true;
  const FakeMonitor& monitor = monitors[index];
  left = monitor.left;
  top = monitor.top;
  width = monitor.width;
  height = monitor.height;
  return true;
}

bool RecordingDeclared::CreateTandrySession(const std::u16string& name, const ObjectRef& window,
                                            std::int32_t screenCount, std::int32_t slideCount,
                                            std::int32_t singleScreenMonitor) {
  if (!Runs("CreateTandrySession", "CreateTandrySession " + Text(name) + " " + Object(window) +
                                       " " + Number(screenCount) + " " + Number(slideCount) +
                                       " " + Number(singleScreenMonitor))) {
    return false;
  }
  outside.sessionCreated = true;
  return true;
}

bool RecordingDeclared::AddSessionInfo(std::int32_t screenIndex, std::int32_t monitorIndex) {
  return RunsInSession("AddSessionInfo",
              "AddSessionInfo " + Number(screenIndex) + " " + Number(monitorIndex));
}

bool RecordingDeclared::CreateTandrySharedScreenSession(const std::u16string& name,
                                                        const ObjectRef& window,
                                                        std::int32_t monitorIndex,
                                                        std::int32_t slideCount, bool notes) {
  if (!Runs("CreateTandrySharedScreenSession",
            "CreateTandrySharedScreenSession " + Text(name) + " " + Object(window) + " " +
                Number(monitorIndex) + " " + Number(slideCount) + " " + Number(notes))) {
    return false;
  }
  outside.sessionCreated = true;
  return true;
}

bool RecordingDeclared::StartTandrySession() {
  if (!RunsInSession("StartTandrySession", "StartTandrySession")) return false;
  outside.sessionStarted = outside.sessionCreated;
  return true;
}
bool RecordingDeclared::ActivateSlideShow(const ObjectRef& window) {
  return Runs("ActivateSlideShow", "ActivateSlideShow " + Object(window));
}
bool RecordingDeclared::NextBuild() { return RunsInSession("NextBuild", "NextBuild"); }
bool RecordingDeclared::NextSlide(std::int32_t slideNumber, const std::u16string& notes) {
  return RunsInSession("NextSlide", "NextSlide " + Number(slideNumber) + " " + Text(notes));
}
bool RecordingDeclared::InsertSlide(std::int32_t position) {
  return RunsInSession("InsertSlide", "InsertSlide " + Number(position));
}

std::optional<ShortcutId> RecordingDeclared::RegisterShortcut(std::int32_t key,
                                                              std::int32_t modifiers) {
  if (!Runs("RegisterShortcut", "RegisterShortcut " + Number(key) + " " + Number(modifiers))) {
    return std::nullopt;
  }
  ++outside.shortcuts;
  return nextShortcut;
}

bool RecordingDeclared::UnregisterShortcut(ShortcutId id) {
  if (!Runs("UnregisterShortcut", "UnregisterShortcut " + Number(id))) return false;
  --outside.shortcuts;
  return true;
}
bool RecordingDeclared::StopTandrySession() {
  if (!RunsInSession("StopTandrySession", "StopTandrySession")) return false;
  outside.sessionStarted = false;
  return true;
}
bool RecordingDeclared::DestroyTandrySession() {
  if (!Runs("DestroyTandrySession", "DestroyTandrySession")) return false;
  outside.sessionCreated = outside.sessionStarted = false;
  return true;
}

bool RecordingDeclared::EncryptString(std::u16string& source, std::u16string& dest) {
  if (!Runs("EncryptString")) return false;
  const std::string sourceBytes(source.begin(), source.end());
  std::string destBytes(dest.begin(), dest.end());
  destBytes.push_back('\0');
  EncryptInto(sourceBytes.c_str(), destBytes.data());
  destBytes.pop_back();
  dest.clear();
  for (char byte : destBytes) dest.push_back(static_cast<unsigned char>(byte));
  return true;
}

std::optional<ScreenHandle> RecordingDeclared::CreateNotesView(std::int32_t left,
                                                               std::int32_t top,
                                                               std::int32_t width,
                                                               std::int32_t height) {
  if (!Runs("CreateNotesView", "CreateNotesView " + Number(left) + " " + Number(top) + " " +
                                   Number(width) + " " + Number(height))) {
    return std::nullopt;
  }
  ++outside.notesViews;
  return nextNotesView;
}

bool RecordingDeclared::SetNotesTitle(ScreenHandle handle, const std::u16string& title) {
  return Runs("SetNotesTitle", "SetNotesTitle " + Number(handle) + " " + Text(title));
}
bool RecordingDeclared::SetNotesText(ScreenHandle handle, const std::u16string& text) {
  return Runs("SetNotesText", "SetNotesText " + Number(handle) + " " + Text(text));
}
bool RecordingDeclared::ShowNotesView(ScreenHandle handle) {
  return Runs("ShowNotesView", "ShowNotesView " + Number(handle));
}
bool RecordingDeclared::HideNotesView(ScreenHandle handle) {
  return Runs("HideNotesView", "HideNotesView " + Number(handle));
}
bool RecordingDeclared::DestroyNotesView(ScreenHandle handle) {
  if (!Runs("DestroyNotesView", "DestroyNotesView " + Number(handle))) return false;
  --outside.notesViews;
  return true;
}

std::optional<SystemHandle> RecordingDeclared::GetDesktopWindow() {
  if (!Runs("GetDesktopWindow")) return std::nullopt;
  return kDesktop;
}

bool RecordingDeclared::LockWindowUpdate(SystemHandle window) {
  if (!Runs("LockWindowUpdate", "LockWindowUpdate " + (window == kDesktop ? std::string("desktop")
                                                                          : Number(window)))) {
    return false;
  }
  outside.screenFrozen = window != 0;
  return true;
}

std::optional<SystemHandle> RecordingDeclared::GetDC(SystemHandle window) {
  if (!Runs("GetDC")) return std::nullopt;
  return window == 0 ? kScreenDC : 0;
}

bool RecordingDeclared::ReleaseDC(SystemHandle, SystemHandle deviceContext) {
  return Runs(deviceContext == kScreenDC ? "ReleaseDC" : "ReleaseDC of another context");
}

std::optional<std::int32_t> RecordingDeclared::GetDeviceCaps(SystemHandle deviceContext,
                                                             std::int32_t index) {
  if (!Runs("GetDeviceCaps")) return std::nullopt;
  if (deviceContext != kScreenDC) return 0;
  return index == 88 ? pixelsPerInchX : index == 90 ? pixelsPerInchY : 0;
}

bool RecordingDeclared::SetCursorPos(std::int32_t x, std::int32_t y) {
  return Runs("SetCursorPos", "SetCursorPos " + Number(x) + " " + Number(y));
}

std::optional<std::u16string> FakeStore::Read(std::u16string_view name,
                                              std::u16string_view fallback) {
  if (failing.count(name)) return std::nullopt;
  const auto found = values.find(name);
  return found == values.end() ? std::u16string(fallback) : found->second;
}

bool FakeStore::Write(std::u16string_view name, std::u16string_view text) {
  const bool fails = failing.count(name) != 0;
  log_.push_back("store " + Narrow(name) + " = " + Text(text) + (fails ? " fails" : ""));
  if (fails) return false;
  values[std::u16string(name)] = std::u16string(text);
  return true;
}

void RecordingMessages::Show(std::u16string_view text, MessageIcon icon) {
  log_.push_back("message " + Number(static_cast<std::int32_t>(icon)) + ": " + Narrow(text));
  if (whileShown) whileShown();
}

void RecordingMessages::CloseAll() { log_.push_back("message boxes closed"); }

std::unique_ptr<SettingsDialog> FakeAddinObjects::LoadSettingsForm() {
  ended_ = false;
  return std::make_unique<StubDialog>(answer, whileShown, ended_, log_);
}

std::unique_ptr<SlideShowEventSink> FakeAddinObjects::NewSSWClass() {
  return std::make_unique<RecordingSink>(log_, connectedSinks);
}

std::unique_ptr<MenuButtonHolder> FakeAddinObjects::NewHostClass() {
  return std::make_unique<ButtonHolder>();
}

void FakeAddinObjects::EndShownDialogs() {
  log_.push_back("dialogs ended");
  ended_ = true;
}

}  // namespace tandry::addin::test
