// standin.exe as other programs see it, under Wine: started as its own process with COM add-ins
// registered for the current user, it connects them in the presentation program's order, skips
// the broken ones with a line on standard error, registers its Application as the active
// object, answers calls by name from this process (down to an add-in's own Object), and ends on
// Quit, shutting its add-ins down on the way.
#include <windows.h>

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HostObjectModel.h"
#include "LateBound.h"
#include "MessagePump.h"
#include "RecordingAddIn.h"
#include "ScopedWin.h"
#include "TestFiles.h"

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;
using namespace recording;  // the recording add-ins' facts

constexpr wchar_t kMissingProgId[] = L"TandryTest.Missing";

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

void SetText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetNumber(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value) {
  RegSetKeyValueW(root, key.c_str(), name, REG_DWORD, &value, sizeof value);
}

// The two classes of recording_addin.dll as self-registration would write them, and three
// entries in the current user's add-in list: the recording add-in, the refusing one and one
// whose ProgID names no class. Everything goes again at the end.
class Registration {
 public:
  Registration() {
    const std::wstring dll = ProgramFolder() + L"recording_addin.dll";
    for (const auto& [progId, clsid] : {std::pair{kRecordingProgId, CLSID_RecordingAddIn},
                                        std::pair{kRefusingProgId, CLSID_RefusingAddIn}}) {
      const std::wstring classKey = L"CLSID\\" + GuidText(clsid);
      SetText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", nullptr, dll);
      SetText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
      SetText(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID", nullptr, GuidText(clsid));
    }
    for (const wchar_t* progId : {kRecordingProgId, kRefusingProgId, kMissingProgId}) {
      const std::wstring entry = std::wstring(host::kAddinsKey) + L"\\" + progId;
      SetText(HKEY_CURRENT_USER, entry, host::kFriendlyNameValue, progId);
      SetText(HKEY_CURRENT_USER, entry, host::kDescriptionValue, L"Records what the host calls");
      SetNumber(HKEY_CURRENT_USER, entry, host::kLoadBehaviorValue, host::kLoadAtStartup);
    }
  }
  ~Registration() {
    for (const auto& [progId, clsid] : {std::pair{kRecordingProgId, CLSID_RecordingAddIn},
                                        std::pair{kRefusingProgId, CLSID_RefusingAddIn}}) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(clsid)).c_str());
      RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
    }
    for (const wchar_t* progId : {kRecordingProgId, kRefusingProgId, kMissingProgId}) {
      RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(host::kAddinsKey) + L"\\" + progId).c_str());
    }
  }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;
};

// standin.exe with `arguments`, its standard error going into `errorFile`.
class StandinProcess {
 public:
  StandinProcess(const std::wstring& arguments, const std::string& errorFile) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    ScopedFile error(CreateFileA(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = error.get();
    std::wstring commandLine = L"\"" + ProgramFolder() + L"standin.exe\" " + arguments;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &info)) {
      CloseHandle(info.hThread);
      process_.reset(info.hProcess);
    }
  }
  ~StandinProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.get(), 99);
    }
  }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  bool started() const { return static_cast<bool>(process_); }
  // Its exit code once it ended within `timeoutMs`, else -1.
  long Ended(DWORD timeoutMs) const {
    DWORD code = 0;
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
      return -1;
    }
    return static_cast<long>(code);
  }

 private:
  ScopedHandle process_;
};

// The running Application of another process, as a client takes it from the Running Object
// Table; null when none is registered within `timeoutMs`.
ScopedComPtr<IDispatch> ActiveApplication(DWORD timeoutMs) {
  ScopedComPtr<IDispatch> app;
  wintest::PumpUntil(
      [&] {
        ScopedComPtr<IUnknown> active;
        if (FAILED(GetActiveObject(host::CLSID_Application, nullptr, active.receive()))) {
          return false;
        }
        return SUCCEEDED(active->QueryInterface(IID_IDispatch,
                                                reinterpret_cast<void**>(app.receive())));
      },
      timeoutMs);
  return app;
}

std::vector<std::string> Lines(const std::string& path, const std::string& prefix = "") {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

std::wstring Text(IDispatch* object, const wchar_t* name) {
  std::wstring text;
  EXPECT_HRESULT_SUCCEEDED(latebound::GetText(object, name, text)) << name;
  return text;
}

bool Connected(IDispatch* addIn) {
  LONG connected = 0;
  EXPECT_HRESULT_SUCCEEDED(latebound::GetLong(addIn, L"Connect", connected));
  return connected != 0;
}

struct Apartment {
  Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~Apartment() { CoUninitialize(); }
};

TEST(StandinProcess, ConnectsItsAddInsInOrderAnswersAnotherProcessByNameAndEndsOnQuit) {
  Apartment apartment;
  Registration registration;
  wintest::TempFolder folder;
  const std::string log = folder.Path("calls.log");
  const std::string errors = folder.Path("stderr.txt");
  SetEnvironmentVariableA(kLogVariable, log.c_str());  // the child inherits it
  StandinProcess standin(L"--version 9.0 --slides 3", errors);
  ASSERT_TRUE(standin.started());
  {
    ScopedComPtr<IDispatch> app = ActiveApplication(15000);
    ASSERT_TRUE(app) << "no Application in the Running Object Table";
    EXPECT_EQ(Text(app.get(), L"Version"), L"9.0");
    ScopedComPtr<IDispatch> active;
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(app.get(), L"ActivePresentation", active));
    EXPECT_EQ(Text(active.get(), L"Name"), L"Generated 3");

    ScopedComPtr<IDispatch> addIns;
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(app.get(), L"COMAddIns", addIns));
    const auto addIn = [&](const wchar_t* progId) {
      ScopedComPtr<IDispatch> found;
      EXPECT_HRESULT_SUCCEEDED(latebound::GetDispatch(addIns.get(), L"Item", found, {progId}));
      return found;
    };
    ScopedComPtr<IDispatch> recording = addIn(kRecordingProgId);
    ASSERT_TRUE(recording);
    EXPECT_TRUE(Connected(recording.get()));
    EXPECT_EQ(Text(recording.get(), L"ProgId"), kRecordingProgId);
    EXPECT_EQ(Text(recording.get(), L"Description"), L"Records what the host calls");
    EXPECT_FALSE(Connected(addIn(kRefusingProgId).get()));
    EXPECT_FALSE(Connected(addIn(kMissingProgId).get()));

    // The route of a macro: COMAddIns(ProgID).Object.Method.
    ScopedComPtr<IDispatch> object;
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(recording.get(), L"Object", object));
    EXPECT_EQ(Text(object.get(), L"Ping"), L"pong");
    object.reset();

    ASSERT_HRESULT_SUCCEEDED(latebound::Put(recording.get(), L"Connect", false));
    EXPECT_FALSE(Connected(recording.get()));
    EXPECT_HRESULT_FAILED(latebound::GetDispatch(recording.get(), L"Object", object));
    ASSERT_HRESULT_SUCCEEDED(latebound::Put(recording.get(), L"Connect", true));
    ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(recording.get(), L"Object", object));
    EXPECT_EQ(Text(object.get(), L"Ping"), L"pong");
    object.reset();
    recording.reset();
    addIns.reset();
    active.reset();

    ASSERT_HRESULT_SUCCEEDED(latebound::Call(app.get(), L"Quit"));
  }
  EXPECT_EQ(standin.Ended(15000), 0);

  EXPECT_THAT(Lines(log, "Recording"),
              ElementsAre("Recording OnConnection 1 9.0", "Recording OnAddInsUpdate",
                          "Recording OnStartupComplete", "Recording OnDisconnection 1",
                          "Recording released", "Recording OnConnection 0 9.0",
                          "Recording OnBeginShutdown", "Recording OnDisconnection 0",
                          "Recording released"));
  EXPECT_THAT(Lines(log, "Refusing"),
              ElementsAre("Refusing OnConnection 1 9.0", "Refusing released"));
  EXPECT_THAT(Lines(errors),
              UnorderedElementsAre(
                  HasSubstr("TandryTest.RefusingAddIn is not loaded: it refused"),
                  HasSubstr("TandryTest.Missing is not loaded: it cannot be created")));
  SetEnvironmentVariableA(kLogVariable, nullptr);
}

}  // namespace
}  // namespace tandry::standin
