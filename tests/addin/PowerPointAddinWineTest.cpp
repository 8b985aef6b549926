// The add-in object as the host and a macro reach it: created by its ProgID once registered,
// its public methods called by name through IDispatch and through the registered type library
// (which also proves that the object's vtable is the library's), its connection interface, and
// the DLL's answer to whether it may be unloaded.
#include <gmock/gmock.h>
#include <ole2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ApplicationObject.h"
#include "ComServerTestSupport.h"
#include "DialogDriver.h"
#include "HostObjectModel.h"
#include "LateBound.h"
#include "ScopedWin.h"
#include "tandryaddin.h"

namespace tandry::addin::test {
namespace {

using latebound::Arg;
using ::testing::Contains;

// Another program's Application: it answers Version by name as the presentation program's does,
// but not the presentation program's own interface. It counts the calls it gets.
class ForeignApplication final : public standin::DispatchObject<IDispatch> {
 public:
  ForeignApplication() : DispatchObject(kMembers, std::size(kMembers)) {}
  int calls = 0;

 private:
  static constexpr standin::DispatchMember kMembers[] = {
      {L"Version", host::application::kVersion}};
  HRESULT InvokeMember(standin::Invocation& call) override {
    ++calls;
    return call.ReturnText(L"12.0");
  }
};

// The public methods in the order of the interface.
const std::vector<std::wstring> kMethods = {L"UsingTandry", L"AboutTandry", L"StartTandry",
                                            L"IsTandryRunning", L"IsCOMAddInInitialized"};

class PowerPointAddinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(RunRegsvr32(L"/s"), 0u); }
  static void TearDownTestSuite() { RunRegsvr32(L"/s /u"); }

  // A new add-in object, created by ProgID as the host creates it.
  ScopedComPtr<IDispatch> CreateAddin() {
    CLSID clsid{};
    EXPECT_EQ(::CLSIDFromProgID(kProgId, &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_PowerPointAddin));
    ScopedComPtr<IDispatch> addin;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(addin.receive())),
              S_OK);
    return addin;
  }

  // Calls a method without arguments by name, as a macro does (a method that gives a value is
  // read with both flags); the result in `result`.
  static HRESULT CallByName(IDispatch* object, const wchar_t* name, VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(found)) return found;
    DISPPARAMS none{};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                          &none, result, nullptr, nullptr);
  }

  static bool Initialized(IDispatch* addin) {
    ScopedVariant answer;
    EXPECT_EQ(CallByName(addin, L"IsCOMAddInInitialized", answer.get()), S_OK);
    return V_VT(answer.get()) == VT_BOOL && V_BOOL(answer.get()) == VARIANT_TRUE;
  }

  // The vtable side of the dual interface, as the registered type library describes it.
  static void LoadVtableInfo(ITypeLib* library, ScopedComPtr<ITypeInfo>& vtableInfo) {
    ScopedComPtr<ITypeInfo> dispatchInfo;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID__PowerPointAddin, dispatchInfo.receive()), S_OK);
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(dispatchInfo->GetRefTypeOfImplType(-1, &vtableRef), S_OK);
    ASSERT_EQ(dispatchInfo->GetRefTypeInfo(vtableRef, vtableInfo.receive()), S_OK);
  }

  ComApartment apartment_;
};

TEST_F(PowerPointAddinTest, AnswersItsQuestionsByNameAsFalseBeforeItIsConnected) {
  ScopedComPtr<IDispatch> addin = CreateAddin();
  ASSERT_TRUE(addin);
  ScopedVariant none;
  EXPECT_EQ(CallByName(addin.get(), L"UsingTandry", none.get()), S_OK);
  EXPECT_EQ(V_VT(none.get()), VT_EMPTY);
  for (const wchar_t* question : {L"IsTandryRunning", L"IsCOMAddInInitialized"}) {
    ScopedVariant answer;
    EXPECT_EQ(CallByName(addin.get(), question, answer.get()), S_OK);
    EXPECT_EQ(V_VT(answer.get()), VT_BOOL);
    EXPECT_EQ(V_BOOL(answer.get()), VARIANT_FALSE);
  }
  ScopedVariant unknown;
  EXPECT_EQ(CallByName(addin.get(), L"OnConnection", unknown.get()), DISP_E_UNKNOWNNAME);
}

TEST_F(PowerPointAddinTest, AboutAndStartReachTheEngineAndTheStartStopToggle) {
  ScopedComPtr<IDispatch> addin = CreateAddin();
  ASSERT_TRUE(addin);
  std::vector<std::wstring> about;
  wintest::DriveDialog(
      L"About", [&] { EXPECT_EQ(CallByName(addin.get(), L"AboutTandry", nullptr), S_OK); },
      [&](HWND box) { about = ChildTexts(box); });
  EXPECT_THAT(about, Contains(L"Copyright (C) 2003-2025 The Tandry Team"));

  // Not connected to a host, there is no presentation to show.
  std::vector<std::wstring> refusal;
  wintest::DriveDialog(
      L"Tandry", [&] { EXPECT_EQ(CallByName(addin.get(), L"StartTandry", nullptr), S_OK); },
      [&](HWND box) { refusal = ChildTexts(box); });
  EXPECT_THAT(refusal, Contains(L"Please open a presentation to start slide show."));
}

TEST_F(PowerPointAddinTest, RegisteredTypeLibraryDescribesTheFiveMethodsInOrder) {
  ScopedComPtr<ITypeLib> library;
  ASSERT_EQ(::LoadRegTypeLib(LIBID_tandryaddin, 1, 0, LOCALE_NEUTRAL, library.receive()), S_OK);
  BSTR name = nullptr;
  BSTR description = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, &description, nullptr, nullptr), S_OK);
  EXPECT_STREQ(name, L"tandryaddin");
  EXPECT_STREQ(description, L"Tandry");
  ::SysFreeString(name);
  ::SysFreeString(description);

  // The vtable side of the dual interface: its own five functions follow IDispatch's.
  ScopedComPtr<ITypeInfo> vtableInfo;
  ASSERT_NO_FATAL_FAILURE(LoadVtableInfo(library.get(), vtableInfo));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(vtableInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_EQ(attributes->cFuncs, 5);
  vtableInfo->ReleaseTypeAttr(attributes);

  std::vector<std::wstring> names;
  for (UINT index = 0; index < 5; ++index) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(vtableInfo->GetFuncDesc(index, &function), S_OK);
    EXPECT_EQ(function->invkind, INVOKE_FUNC);
    EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + index) * sizeof(void*)));
    BSTR functionName = nullptr;
    UINT count = 0;
    vtableInfo->GetNames(function->memid, &functionName, 1, &count);
    names.push_back(functionName);
    ::SysFreeString(functionName);
    vtableInfo->ReleaseFuncDesc(function);
  }
  EXPECT_EQ(names, kMethods);
}

TEST_F(PowerPointAddinTest, MethodsRunThroughTheTypeLibraryOnTheObjectsVtable) {
  ScopedComPtr<IDispatch> addin = CreateAddin();
  ScopedComPtr<IUnknown> dual;
  ASSERT_EQ(addin->QueryInterface(IID__PowerPointAddin, reinterpret_cast<void**>(dual.receive())),
            S_OK);
  ScopedComPtr<ITypeLib> library;
  ASSERT_EQ(::LoadRegTypeLib(LIBID_tandryaddin, 1, 0, LOCALE_NEUTRAL, library.receive()), S_OK);
  ScopedComPtr<ITypeInfo> vtableInfo;
  ASSERT_NO_FATAL_FAILURE(LoadVtableInfo(library.get(), vtableInfo));

  for (const wchar_t* method : {L"UsingTandry", L"IsTandryRunning", L"IsCOMAddInInitialized"}) {
    MEMBERID id = MEMBERID_NIL;
    LPOLESTR names[] = {const_cast<LPOLESTR>(method)};
    ASSERT_EQ(vtableInfo->GetIDsOfNames(names, 1, &id), S_OK);
    DISPPARAMS none{};
    ScopedVariant result;
    EXPECT_EQ(
        vtableInfo->Invoke(dual.get(), id, DISPATCH_METHOD, &none, result.get(), nullptr, nullptr),
        S_OK);
  }
}

TEST_F(PowerPointAddinTest, ConnectionInterfaceSharesTheObjectsIdentity) {
  ScopedComPtr<IDispatch> addin = CreateAddin();
  ScopedComPtr<host::IDTExtensibility2> connection;
  ASSERT_EQ(addin->QueryInterface(host::IID_IDTExtensibility2,
                                  reinterpret_cast<void**>(connection.receive())),
            S_OK);
  ScopedComPtr<IUnknown> fromObject;
  ScopedComPtr<IUnknown> fromConnection;
  addin->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromObject.receive()));
  connection->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromConnection.receive()));
  EXPECT_EQ(fromObject.get(), fromConnection.get());
  // The host's notification that the list of add-ins changed is accepted and ignored.
  EXPECT_EQ(connection->OnAddInsUpdate(nullptr), S_OK);
}

TEST_F(PowerPointAddinTest, ConnectionNotificationsArriveByNameToo) {
  ScopedComPtr<IDispatch> addin = CreateAddin();
  ScopedComPtr<IDispatch> connection;
  ASSERT_EQ(addin->QueryInterface(host::IID_IDTExtensibility2,
                                  reinterpret_cast<void**>(connection.receive())),
            S_OK);
  ScopedComPtr<standin::ApplicationObject> app = standin::ApplicationObject::Create("12.0");
  IDispatch* noEntry = nullptr;

  // Switched on while the host runs: the add-in starts at once.
  EXPECT_EQ(latebound::Call(connection.get(), L"OnConnection",
                            {Arg(static_cast<IDispatch*>(app.get())),
                             Arg(host::kConnectAfterStartup), Arg(noEntry)}),
            S_OK);
  EXPECT_TRUE(Initialized(addin.get()));
  EXPECT_EQ(latebound::Call(connection.get(), L"OnAddInsUpdate"), S_OK);
  EXPECT_EQ(
      latebound::Call(connection.get(), L"OnDisconnection", {Arg(host::kDisconnectUserClosed)}),
      S_OK);
  // A notification without its arguments is refused before it reaches the add-in.
  EXPECT_EQ(
      latebound::Call(connection.get(), L"OnConnection", {Arg(static_cast<IDispatch*>(app.get()))}),
      DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(latebound::Call(connection.get(), L"UsingTandry"), DISP_E_UNKNOWNNAME);
}

TEST_F(PowerPointAddinTest, AnotherProgramsApplicationCountsAsNoneAndIsNeverCalled) {
  ScopedComPtr<IDispatch> addin = CreateAddin();
  ScopedComPtr<host::IDTExtensibility2> connection;
  ASSERT_EQ(addin->QueryInterface(host::IID_IDTExtensibility2,
                                  reinterpret_cast<void**>(connection.receive())),
            S_OK);
  ScopedComPtr<ForeignApplication> foreign(new ForeignApplication());
  std::vector<std::wstring> message;
  wintest::DriveDialog(
      L"Tandry",
      [&] {
        EXPECT_EQ(connection->OnConnection(foreign.get(), host::kConnectAfterStartup, nullptr,
                                           nullptr),
                  S_OK);
      },
      [&](HWND box) { message = ChildTexts(box); });
  EXPECT_THAT(message, Contains(L"Tandry addin requires PowerPoint 2000 or later."));
  EXPECT_FALSE(Initialized(addin.get()));
  EXPECT_EQ(foreign->calls, 0);
  EXPECT_EQ(connection->OnDisconnection(host::kDisconnectUserClosed, nullptr), S_OK);
}

TEST_F(PowerPointAddinTest, MayBeUnloadedOnlyWithoutObjectsAndLocks) {
  ScopedModule dll(::LoadLibraryW(AddinDllPath().c_str()));
  ASSERT_TRUE(dll);
  using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
  using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto canUnload = reinterpret_cast<CanUnloadFn>(
      reinterpret_cast<void*>(::GetProcAddress(dll.get(), "DllCanUnloadNow")));
  const auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(::GetProcAddress(dll.get(), "DllGetClassObject")));
  ASSERT_TRUE(canUnload && getClassObject);
  ::CoFreeUnusedLibraries();  // what earlier tests created is gone
  EXPECT_EQ(canUnload(), S_OK);

  ScopedComPtr<IClassFactory> factory;
  ASSERT_EQ(getClassObject(CLSID_PowerPointAddin, IID_IClassFactory,
                           reinterpret_cast<void**>(factory.receive())),
            S_OK);
  EXPECT_EQ(canUnload(), S_FALSE);  // the factory itself
  ScopedComPtr<IDispatch> addin;
  ASSERT_EQ(
      factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(addin.receive())),
      S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  addin.reset();
  EXPECT_EQ(canUnload(), S_FALSE);  // locked
  ScopedComPtr<IClassFactory> again;
  getClassObject(CLSID_PowerPointAddin, IID_IClassFactory,
                 reinterpret_cast<void**>(again.receive()));
  again->LockServer(FALSE);
  again.reset();
  EXPECT_EQ(canUnload(), S_OK);

  ScopedComPtr<IUnknown> unknownClass;
  EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory,
                           reinterpret_cast<void**>(unknownClass.receive())),
            CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
}  // namespace tandry::addin::test
