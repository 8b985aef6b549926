// The dialogs' services over the add-in's ports and stored settings.
#include "DialogServices.h"

#include "StoredSettings.h"

namespace tandry::addin {

void PortDialogServices::GetMonitorCount(MonitorCounts& counts) {
  std::int32_t reserved = 0;
  declared_.GetMonitorCount(counts.usable, counts.system, reserved);
}

void PortDialogServices::ShowAboutForm() { declared_.ShowAboutForm(); }

void PortDialogServices::ShowMessage(const std::u16string& text, MessageIcon icon) {
  messages_.Show(text, icon);
}

std::optional<std::u16string> PortDialogServices::GetStoredPassword() {
  return addin::GetStoredPassword(store_);
}

std::u16string PortDialogServices::EncryptText(const std::u16string& text) {
  return addin::EncryptText(declared_, text);
}

void PortDialogServices::SavePassword(const std::u16string& password) {
  addin::SavePassword(store_, declared_, password);
}

}  // namespace tandry::addin
