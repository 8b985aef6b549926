// The stored settings' formats: the monitor order as decimal indices separated by commas, each
// flag as "1" or "0", and the password in its scrambled form.
#include "StoredSettings.h"

#include "Text.h"

namespace tandry::addin {
namespace {

constexpr std::u16string_view kMonitorOrder = u"MonitorOrder";
constexpr std::u16string_view kShowNotes = u"ShowNotes";
constexpr std::u16string_view kLastMonitor4Slides = u"LastMonitor4Slides";
constexpr std::u16string_view kPassword = u"Password";

std::u16string FlagText(bool flag) { return flag ? u"1" : u"0"; }

// A flag is set exactly when its text is "1"; a failed read leaves it as it was.
void ReadFlag(SettingsStore& store, std::u16string_view name, bool& flag) {
  if (const auto text = store.Read(name, u"0")) flag = *text == u"1";
}

}  // namespace

void LoadSettings(SettingsStore& store, SettingsRecord& settings) {
  // A failed read counts as the empty text, which gives the single entry 0.
  const std::u16string order = store.Read(kMonitorOrder, u"").value_or(std::u16string());
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = order.find(u',', start);
    const std::u16string_view segment =
        std::u16string_view(order).substr(start, comma == std::u16string::npos
                                                     ? std::u16string::npos
                                                     : comma - start);
    settings.MonitorOrder.push_back(LeadingInteger(segment));
    if (comma == std::u16string::npos) break;
    start = comma + 1;
  }
  ReadFlag(store, kShowNotes, settings.ShowNotes);
  ReadFlag(store, kLastMonitor4Slides, settings.LastMonitor4Slides);
}

void SaveSettings(SettingsStore& store, const SettingsRecord& settings) {
  std::u16string order;
  for (std::int32_t index : settings.MonitorOrder) {
    if (!order.empty()) order += u',';
    order += DecimalText(index);
  }
  store.Write(kMonitorOrder, order);
  store.Write(kShowNotes, FlagText(settings.ShowNotes));
  store.Write(kLastMonitor4Slides, FlagText(settings.LastMonitor4Slides));
}

std::optional<std::u16string> GetStoredPassword(SettingsStore& store) {
  return store.Read(kPassword, u"");
}

void SavePassword(SettingsStore& store, DeclaredFunctions& declared,
                  const std::u16string& password) {
  store.Write(kPassword, EncryptText(declared, password));
}

std::u16string EncryptText(DeclaredFunctions& declared, const std::u16string& text) {
  // The engine writes the scrambled text and a NUL into a buffer one byte longer than the text;
  // the blanks beyond that are left as they are.
  std::u16string source = text;
  std::u16string buffer(text.size() + 5, u' ');
  declared.EncryptString(source, buffer);
  // The length counts again after the round trip through the 8-bit code page.
  return buffer.substr(0, source.size());
}

}  // namespace tandry::addin
