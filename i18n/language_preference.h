#pragma once

namespace lumora {

class SettingsStore;
class WindowOps;

// Settles CurrentLanguage to English or Persian from the stored preference and
// marks its Language menu item. Store failures pass to the caller.
void LoadLanguage(SettingsStore& store, WindowOps& ui);

// Stores CurrentLanguage as it is, whatever was stored before.
void SaveLanguage(SettingsStore& store);

}  // namespace lumora
