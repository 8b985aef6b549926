// The whole stand-in presentation program in one object, for standin.exe and for tests that
// play the host in their own process: an Application with the given presentations, the main
// window with its menu, the COM add-ins connected as the presentation program connects them,
// and optionally the command bar controls kept from the last run and the Application in the
// Running Object Table. The caller's thread pumps the messages.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AddIns.h"
#include "ApplicationObject.h"
#include "Deck.h"
#include "MainWindow.h"
#include "ScopedWin.h"

namespace tandry::standin {

struct HostOptions {
  std::string version = "11.0";
  std::vector<std::pair<std::string, Deck>> presentations;  // name and deck, the last in front
  bool registeredAddIns = false;  // the current user's add-in list
  std::vector<AddInEntry> addIns;  // listed after the registered ones
  bool keepControls = false;      // added controls that are not temporary live on to the next run
  bool activeObject = false;      // the Application in the Running Object Table
};

class Host {
 public:
  // Opens the presentations, connects the add-ins that load at start-up, brings up the main
  // window, tells the add-ins that start-up is complete and registers the active object.
  // Null when the main window can't be made.
  static std::unique_ptr<Host> Start(HostOptions options);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  ApplicationObject& app() { return *app_.get(); }
  HWND mainWindow() const { return mainWindow_ ? mainWindow_->get() : nullptr; }
  bool exited() const { return exited_; }

  // The program's end, once: the add-ins are shut down and let go, running shows end, the
  // kept controls are saved, the main window goes and the Application lets go of everything.
  // A message wakes the thread's message loop so that it can see exited().
  void Exit();

 private:
  explicit Host(const HostOptions& options);

  // Every COM call of the host runs in this thread's single-threaded apartment.
  struct Apartment {
    Apartment() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
      if (SUCCEEDED(result)) CoUninitialize();
    }
    HRESULT result;
  };

  Apartment apartment_;
  bool keepControls_;
  ScopedComPtr<ApplicationObject> app_;
  std::unique_ptr<MainWindow> mainWindow_;
  DWORD activeObject_ = 0;
  bool exited_ = false;
};

}  // namespace tandry::standin
