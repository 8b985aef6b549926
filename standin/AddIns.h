// COM add-ins, loaded and called as the presentation program loads and calls them: the entries
// of the current user's add-in list, each created in-process from its ProgID and connected
// through IDTExtensibility2, and the COMAddIns collection with its COMAddIn objects (ProgId,
// Description, Object, Connect).
//
// Start-up: every entry with LoadBehavior 3 is created and gets OnConnection(Application, 1,
// its COMAddIn, custom); once the main window is up, every connected add-in gets
// OnAddInsUpdate, then every one OnStartupComplete. Exit: every connected add-in gets
// OnBeginShutdown, then each in turn OnDisconnection(0) and its release. Connect = False
// disconnects with RemoveMode 1; Connect = True connects with ConnectMode 0. An add-in that
// can't be created or refuses the connection stays unloaded, with a line on standard error.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DispatchObject.h"
#include "HostObjectModel.h"
#include "ScopedWin.h"

namespace tandry::standin {

class ApplicationObject;

// Makes an add-in's object; left empty, the entry's ProgID is looked up and its class created
// in-process.
using AddInFactory = std::function<HRESULT(IUnknown** instance)>;

struct AddInEntry {
  std::wstring progId;
  std::wstring description;
  bool loadAtStartup = false;
  AddInFactory create;
};

// The entries of the current user's add-in list, in the registry's order.
std::vector<AddInEntry> RegisteredAddIns();

class AddInObject final : public DispatchObject<IDispatch> {
 public:
  AddInObject(ApplicationObject& app, AddInEntry entry);

  const AddInEntry& entry() const { return entry_; }
  bool connected() const { return static_cast<bool>(instance_); }
  // Creates the add-in and connects it in `mode`; on failure it stays unloaded and a line on
  // standard error says why.
  HRESULT Connect(LONG mode);
  // OnDisconnection(`mode`), then the add-in and its Object are let go.
  void Disconnect(LONG mode);
  void AddInsUpdate();
  void StartupComplete();
  void BeginShutdown();

  // The application is going.
  void Close();

 private:
  ~AddInObject() override = default;
  HRESULT InvokeMember(Invocation& call) override;
  HRESULT Refuse(const char* what, HRESULT hr);

  ApplicationObject* app_;
  AddInEntry entry_;
  ScopedComPtr<host::IDTExtensibility2> instance_;
  ScopedComPtr<IDispatch> object_;  // what the add-in publishes as its Object
};

class AddInsObject final : public DispatchObject<IDispatch> {
 public:
  explicit AddInsObject(ApplicationObject& app);

  // Lists an add-in, not yet connected.
  void Add(AddInEntry entry);
  // Start-up, in two steps around the main window's coming up.
  void ConnectAtStartup();
  void CompleteStartup();
  // The host's exit.
  void ShutDown();
  void Close();

 private:
  ~AddInsObject() override = default;
  HRESULT InvokeMember(Invocation& call) override;
  // The listed add-ins, held for the length of a round of calls that may change the list.
  std::vector<ScopedComPtr<AddInObject>> Snapshot() const;

  ApplicationObject* app_;
  std::vector<ScopedComPtr<AddInObject>> addIns_;
};

}  // namespace tandry::standin
