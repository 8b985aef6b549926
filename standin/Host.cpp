#include "Host.h"

#include "CommandBarObjects.h"
#include "KeptControls.h"
#include "PresentationObject.h"
#include "SlideShowWindowObject.h"

namespace tandry::standin {

std::unique_ptr<Host> Host::Start(HostOptions options) {
  std::unique_ptr<Host> host(new Host(options));
  if (!host->mainWindow()) return nullptr;
  if (options.activeObject) {
    RegisterActiveObject(static_cast<IDispatch*>(host->app_.get()), host::CLSID_Application,
                         ACTIVEOBJECT_STRONG, &host->activeObject_);
  }
  return host;
}

Host::Host(const HostOptions& options)
    : keepControls_(options.keepControls), app_(ApplicationObject::Create(options.version)) {
  for (const auto& [name, deck] : options.presentations) app_->Open(name, deck);
  if (keepControls_) app_->commandBars().bars().Restore(LoadKeptControls());
  if (options.registeredAddIns) {
    for (AddInEntry& entry : RegisteredAddIns()) app_->addIns().Add(std::move(entry));
  }
  for (const AddInEntry& entry : options.addIns) app_->addIns().Add(entry);

  app_->addIns().ConnectAtStartup();
  mainWindow_ = std::make_unique<MainWindow>(*app_.get(), [this] { Exit(); });
  if (!mainWindow_->get()) return;
  const HWND window = mainWindow_->get();
  app_->SetQuitHandler([window] { PostMessageW(window, WM_CLOSE, 0, 0); });
  app_->addIns().CompleteStartup();
}

Host::~Host() { Exit(); }

void Host::Exit() {
  if (exited_) return;
  exited_ = true;
  if (activeObject_) RevokeActiveObject(activeObject_, nullptr);
  app_->addIns().ShutDown();
  for (const auto& presentation : app_->presentations()) {
    SlideShowWindowObject* show = presentation->show();
    if (!show) continue;
    show->AddRef();
    ScopedComPtr<SlideShowWindowObject> keepAlive(show);  // its window lets go of it as it closes
    show->show().End();
  }
  if (keepControls_) SaveKeptControls(app_->commandBars().bars().Kept());
  if (mainWindow_) mainWindow_->Destroy();
  app_->Close();
  PostMessageW(nullptr, WM_NULL, 0, 0);
}

}  // namespace tandry::standin
