// The settings in the current user's registry, and the OPZIONI save command.
#pragma once

extern const wchar_t* const settingsKeyPath;  // under HKEY_CURRENT_USER

void loadSettings();
void saveSettings();
void saveSettingsCommand();
