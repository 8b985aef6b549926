// The add-in's one module and its Win32 ports.
#include "MainModule.h"

#include "Contained.h"
#include "DialogSupport.h"
#include "HostClass.h"
#include "ImportModule.h"
#include "SSWClass.h"
#include "SettingsForm.h"
#include "ShowControl.h"
#include "SystemPorts.h"

namespace tandry::addin {
namespace {

// The add-in's own objects on the Win32 side.
class AddinObjectsOfModule final : public AddinObjects {
 public:
  std::unique_ptr<SettingsDialog> LoadSettingsForm() override {
    Module& module = MainModule();
    return std::make_unique<SettingsForm>(module.declared, module.store, module.messages);
  }
  std::unique_ptr<SlideShowEventSink> NewSSWClass() override {
    return std::make_unique<SSWClass>(MainModule());
  }
  std::unique_ptr<MenuButtonHolder> NewHostClass() override {
    return std::make_unique<HostClass>(MainModule());
  }
  void EndShownDialogs() override { Win32Dialog::EndAllShown(); }
};

}  // namespace

Module& MainModule() {
  static ImportModule declared(&InsertSlideShortcut);
  static RegistrySettings store;
  static SystemMessageBoxes messages;
  static AddinObjectsOfModule objects;
  static Module module(declared, store, messages, objects);
  return module;
}

void __stdcall InsertSlideShortcut() {
  Contained([] { InsertSlideShortcut(MainModule()); });
}

}  // namespace tandry::addin
