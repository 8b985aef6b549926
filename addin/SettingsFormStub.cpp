// The stubbed settings dialog's answer.
#include "SettingsFormStub.h"

namespace tandry::addin {
namespace {

SettingsChoice& Chosen() {
  static SettingsChoice chosen;
  return chosen;
}

}  // namespace

void SettingsFormStub::Choose(SettingsChoice choice) { Chosen() = std::move(choice); }

SettingsFormStub::SettingsFormStub() : choice_(Chosen()) {}

void SettingsFormStub::GetMonitorOrder(MonitorList& monitorOrder) const {
  monitorOrder.insert(monitorOrder.end(), choice_.monitorOrder.begin(),
                      choice_.monitorOrder.end());
}

}  // namespace tandry::addin
