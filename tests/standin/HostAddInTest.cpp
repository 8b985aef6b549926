// A host played in the test's own process, as the add-in's tests play it, with an add-in object
// made in-process by a factory instead of from the registry: it is connected, completed and
// shut down in the presentation program's order, and reachable through COMAddIns.
#include <windows.h>

#include <gmock/gmock.h>

#include <fstream>
#include <string>
#include <vector>

#include "Host.h"
#include "LateBound.h"
#include "RecordingAddIn.h"
#include "ScopedWin.h"
#include "TestBinding.h"
#include "TestFiles.h"

namespace tandry::standin {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

TEST(HostAddIns, AnAddInMadeInProcessIsConnectedAndShutDownInTheHostsOrder) {
  wintest::TempFolder folder;
  const std::string log = folder.Path("calls.log");
  SetEnvironmentVariableA(recording::kLogVariable, log.c_str());
  ScopedModule dll(LoadLibraryW(L"recording_addin.dll"));
  ASSERT_TRUE(dll);
  const auto getClassObject =
      wintest::ExportOf<HRESULT(__stdcall*)(REFCLSID, REFIID, void**)>(dll.get(),
                                                                      "DllGetClassObject");
  ASSERT_TRUE(getClassObject);

  HostOptions options;
  options.version = "12.0";
  options.addIns.push_back(AddInEntry{
      L"TandryTest.InProcess", L"made by the test", true, [&](IUnknown** instance) {
        ScopedComPtr<IClassFactory> factory;
        const HRESULT hr = getClassObject(recording::CLSID_RecordingAddIn, IID_IClassFactory,
                                          reinterpret_cast<void**>(factory.receive()));
        if (FAILED(hr)) return hr;
        return factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(instance));
      }});
  std::unique_ptr<Host> host = Host::Start(std::move(options));
  ASSERT_TRUE(host);
  EXPECT_THAT(Lines(log), ElementsAre("Recording OnConnection 1 12.0", "Recording OnAddInsUpdate",
                                      "Recording OnStartupComplete"));

  ScopedComPtr<IDispatch> addIns;
  ASSERT_HRESULT_SUCCEEDED(
      latebound::GetDispatch(static_cast<IDispatch*>(&host->app()), L"COMAddIns", addIns));
  ScopedComPtr<IDispatch> object;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(addIns.get(), L"Item", object, {1}));
  ASSERT_HRESULT_SUCCEEDED(latebound::GetDispatch(object.get(), L"Object", object));
  std::wstring pong;
  ASSERT_HRESULT_SUCCEEDED(latebound::GetText(object.get(), L"Ping", pong));
  EXPECT_EQ(pong, L"pong");
  object.reset();
  addIns.reset();

  host.reset();
  EXPECT_THAT(Lines(log),
              ElementsAre("Recording OnConnection 1 12.0", "Recording OnAddInsUpdate",
                          "Recording OnStartupComplete", "Recording OnBeginShutdown",
                          "Recording OnDisconnection 0", "Recording released"));
  SetEnvironmentVariableA(recording::kLogVariable, nullptr);
}

}  // namespace
}  // namespace tandry::standin
