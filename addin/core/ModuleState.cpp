// The running switch and the list procedures of the module state.
#include "ModuleState.h"

#include <algorithm>

namespace tandry::addin {

void SetRunning(ModuleState& state, bool value) {
  state.Running = value;
  const ObjectRef button = state.MenuButtons ? state.MenuButtons->StartStopTandryCBB() : nullptr;
  const std::u16string caption = value ? u"Stop Tandry..." : u"Start Tandry...";
  if (button) button->Put(u"Caption", Value{caption});
}

bool CollectionContains(const MonitorList& list, std::int32_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

std::optional<std::int32_t> Item(const MonitorList& list, std::size_t position) {
  if (position < 1 || position > list.size()) return std::nullopt;
  return list[position - 1];
}

}  // namespace tandry::addin
