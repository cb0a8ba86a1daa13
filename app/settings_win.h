// The settings in the current user's registry, and the OPZIONI save command.
#pragma once

extern const wchar_t* const settingsKeyPath;  // under HKEY_CURRENT_USER

void loadSettings();
void saveSettings();
void saveSettingsCommand();

// "Termini", written alone when a rule is picked.
void saveDeadlineRule();

// "FinestraX" and "FinestraY": where the main window was when it was closed.
void saveWindowPosition(int x, int y);
