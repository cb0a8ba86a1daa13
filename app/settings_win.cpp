// The settings need Win32 for the registry and the OPZIONI fields.
#include "app/settings_win.h"

#include <windows.h>

#include "app/main_window_win.h"
#include "app/settings.h"
#include "calc/numtext.h"
#include "calc/vat_win.h"

const wchar_t* const settingsKeyPath = L"Software\\Ferlan\\Zentolo";

void loadSettings()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;

    unsigned char rate[storedRateBufferBytes] = {};
    DWORD type = 0;
    DWORD size = sizeof rate;
    if (RegQueryValueExW(key, L"Aliquota", nullptr, &type, rate, &size) == ERROR_SUCCESS)
        if (auto value = storedVatRate(type, rate, size)) settings.vatRate = *value;

    unsigned char places[4] = {};
    size = sizeof places;
    if (RegQueryValueExW(key, L"Decimali", nullptr, &type, places, &size) == ERROR_SUCCESS)
        if (auto value = storedDecimals(type, places, size)) settings.decimals = *value;

    RegCloseKey(key);
}

void saveSettings()
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    std::wstring rate = storedVatRateText(settings.vatRate);
    RegSetValueExW(key, L"Aliquota", 0, REG_SZ, reinterpret_cast<const BYTE*>(rate.c_str()),
                   static_cast<DWORD>((rate.size() + 1) * sizeof(wchar_t)));
    DWORD places = static_cast<DWORD>(settings.decimals);
    RegSetValueExW(key, L"Decimali", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&places),
                   sizeof places);
    RegCloseKey(key);
}

void saveSettingsCommand()
{
    SettingsInput input = validateSettingsInput(controlText(mainState.vatSettingEdit),
                                                controlText(mainState.decimalsSettingEdit));
    if (!input.ok) {
        SetWindowTextW(mainState.settingsStatus, settingsRejectedText);
        fitWindowToTab();
        return;
    }
    settings.vatRate = input.vatRate;
    settings.decimals = input.decimals;
    saveSettings();
    refreshVatLabel();
    // The rate field shows the rate in effect: 2,675 was saved as 2,68.
    SetWindowTextW(mainState.vatSettingEdit, formatNumber(settings.vatRate, 2).c_str());
    SetWindowTextW(mainState.settingsStatus, settingsSavedText);
    fitWindowToTab();
}
