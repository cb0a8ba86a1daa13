// The settings need Win32 for the registry and the OPZIONI fields.
#include "app/settings_win.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "app/main_window_win.h"
#include "app/settings.h"
#include "finance/added_rows_win.h"
#include "calc/calculator_win.h"
#include "text/numtext.h"
#include "calc/tape_store_win.h"
#include "calc/vat_win.h"

const wchar_t* const settingsKeyPath = L"Software\\Ferlan\\Zentolo";

namespace {

// A value of up to four bytes as the registry holds it; a missing or larger
// one has no type, which every reader turns away.
struct StoredBytes {
    DWORD type = REG_NONE;
    DWORD size = 0;
    unsigned char bytes[4] = {};
};

StoredBytes storedBytes(HKEY key, const wchar_t* name)
{
    StoredBytes v;
    v.size = sizeof v.bytes;
    if (RegQueryValueExW(key, name, nullptr, &v.type, v.bytes, &v.size) != ERROR_SUCCESS) v.type = REG_NONE;
    return v;
}

// A window's kept place: its left, top, width and height under these names.
const wchar_t* const ledgerPlaceNames[4] = {L"CreditoX", L"CreditoY", L"CreditoLarghezza", L"CreditoAltezza"};
const wchar_t* const tableSplitPlaceNames[4] = {L"RipartoX", L"RipartoY", L"RipartoLarghezza", L"RipartoAltezza"};
const wchar_t* const actTermsPlaceNames[4] = {L"TerminiX", L"TerminiY", L"TerminiLarghezza", L"TerminiAltezza"};

std::optional<ScreenBox> storedPlace(HKEY key, const wchar_t* const (&names)[4])
{
    std::optional<std::int32_t> v[4];
    for (int i = 0; i < 4; ++i) {
        const StoredBytes b = storedBytes(key, names[i]);
        v[i] = storedCoordinate(b.type, b.bytes, b.size);
    }
    if (!v[0] || !v[1] || !(v[2] > 0) || !(v[3] > 0)) return std::nullopt;
    return ScreenBox{*v[0], *v[1], *v[0] + *v[2], *v[1] + *v[3]};  // each within ±1.000.000: no overflow
}

} // namespace

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

    const StoredBytes places = storedBytes(key, L"Decimali");
    if (auto value = storedDecimals(places.type, places.bytes, places.size)) settings.decimals = *value;
    const StoredBytes rule = storedBytes(key, L"Termini");
    if (auto value = storedChoice(rule.type, rule.bytes, rule.size, deadlineRuleCount))
        settings.deadlineRule = static_cast<DeadlineRule>(*value);
    const StoredBytes source = storedBytes(key, L"Tassi");
    if (auto value = storedChoice(source.type, source.bytes, source.size, rateSourceCount))
        settings.rateSource = static_cast<RateSource>(*value);
    const StoredBytes keep = storedBytes(key, L"ConservaNastro");
    if (auto value = storedChoice(keep.type, keep.bytes, keep.size, 2)) settings.keepTape = *value == 1;
    const StoredBytes fund = storedBytes(key, L"FatturaCassa"), withholding = storedBytes(key, L"FatturaRitenuta"),
                      flatRate = storedBytes(key, L"FatturaForfettario");
    if (auto value = storedChoice(fund.type, fund.bytes, fund.size, invoiceFundCount))
        settings.invoice.fund = static_cast<InvoiceFund>(*value);
    if (auto value = storedChoice(withholding.type, withholding.bytes, withholding.size, 2))
        settings.invoice.withholding = *value == 1;
    if (auto value = storedChoice(flatRate.type, flatRate.bytes, flatRate.size, 2)) settings.invoice.flatRate = *value == 1;
    unsigned char patron[32] = {};  // "29/06" and its NUL take 12 bytes; a longer value is no day
    size = sizeof patron;
    if (RegQueryValueExW(key, L"Patrono", nullptr, &type, patron, &size) == ERROR_SUCCESS)
        if (auto value = storedPatronDay(type, patron, size)) settings.patronDay = *value;
    DWORD added = 0;  // "TassiAggiunti": its size first, then the text
    if (RegQueryValueExW(key, L"TassiAggiunti", nullptr, &type, nullptr, &added) == ERROR_SUCCESS &&
        type == REG_SZ && added <= 1024 * 1024) {
        std::wstring text(added / sizeof(wchar_t) + 1, L'\0');
        DWORD size2 = added;
        if (RegQueryValueExW(key, L"TassiAggiunti", nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size2) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            text.resize(std::min<size_t>(wcsnlen(text.c_str(), text.size()), size2 / sizeof(wchar_t)));
            addedRows = readAddedRows(text);  // written again only when the office adds or removes a row
        }
    }
    const StoredBytes x = storedBytes(key, L"FinestraX"), y = storedBytes(key, L"FinestraY");
    const auto left = storedCoordinate(x.type, x.bytes, x.size), top = storedCoordinate(y.type, y.bytes, y.size);
    if (left && top) settings.windowPosition = ScreenPoint{*left, *top};
    const StoredBytes calc = storedBytes(key, L"AltezzaCalc");
    if (auto value = storedCoordinate(calc.type, calc.bytes, calc.size); value && *value >= shortestCalcHeight)
        settings.calcHeight = *value;  // a height beyond the screen is cut to it when shown
    settings.ledgerPlace = storedPlace(key, ledgerPlaceNames);
    settings.tableSplitPlace = storedPlace(key, tableSplitPlaceNames);
    settings.actTermsPlace = storedPlace(key, actTermsPlaceNames);

    RegCloseKey(key);
}

namespace {

// One value under the settings' key, written alone.
void storeValue(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

} // namespace

void saveDeadlineRule()
{
    const auto rule = static_cast<DWORD>(settings.deadlineRule);
    storeValue(L"Termini", REG_DWORD, &rule, sizeof rule);
}

void saveRateSource()
{
    const auto source = static_cast<DWORD>(settings.rateSource);
    storeValue(L"Tassi", REG_DWORD, &source, sizeof source);
}

void saveAddedRows()
{
    const std::wstring text = addedRowsText(addedRows);
    storeValue(L"TassiAggiunti", REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void saveWindowPosition(int x, int y)
{
    // Signed coordinates as the DWORD's two's complement.
    const DWORD values[2] = {static_cast<DWORD>(x), static_cast<DWORD>(y)};
    storeValue(L"FinestraX", REG_DWORD, &values[0], sizeof(DWORD));
    storeValue(L"FinestraY", REG_DWORD, &values[1], sizeof(DWORD));
}

void saveCalcHeight()
{
    const auto height = static_cast<DWORD>(settings.calcHeight);
    storeValue(L"AltezzaCalc", REG_DWORD, &height, sizeof height);
}

namespace {

void storePlace(const wchar_t* const (&names)[4], const ScreenBox& place)
{
    const DWORD values[4] = {static_cast<DWORD>(place.left), static_cast<DWORD>(place.top),
                             static_cast<DWORD>(place.right - place.left), static_cast<DWORD>(place.bottom - place.top)};
    for (int i = 0; i < 4; ++i) storeValue(names[i], REG_DWORD, &values[i], sizeof(DWORD));
}

} // namespace

void saveLedgerPlace(const ScreenBox& place)
{
    settings.ledgerPlace = place;
    storePlace(ledgerPlaceNames, place);
}

void saveTableSplitPlace(const ScreenBox& place)
{
    settings.tableSplitPlace = place;
    storePlace(tableSplitPlaceNames, place);
}

void saveActTermsPlace(const ScreenBox& place)
{
    settings.actTermsPlace = place;
    storePlace(actTermsPlaceNames, place);
}

void saveSettings()
{
    const std::wstring rate = storedVatRateText(settings.vatRate);
    storeValue(L"Aliquota", REG_SZ, rate.c_str(), static_cast<DWORD>((rate.size() + 1) * sizeof(wchar_t)));
    const auto places = static_cast<DWORD>(settings.decimals);
    storeValue(L"Decimali", REG_DWORD, &places, sizeof places);
    const std::wstring patron = patronDayText(settings.patronDay);
    storeValue(L"Patrono", REG_SZ, patron.c_str(), static_cast<DWORD>((patron.size() + 1) * sizeof(wchar_t)));
    const DWORD keep = settings.keepTape ? 1 : 0;
    storeValue(L"ConservaNastro", REG_DWORD, &keep, sizeof keep);
    const DWORD invoice[3] = {static_cast<DWORD>(settings.invoice.fund), settings.invoice.withholding ? 1u : 0u,
                              settings.invoice.flatRate ? 1u : 0u};
    const wchar_t* const invoiceNames[3] = {L"FatturaCassa", L"FatturaRitenuta", L"FatturaForfettario"};
    for (int i = 0; i < 3; ++i) storeValue(invoiceNames[i], REG_DWORD, &invoice[i], sizeof(DWORD));
}

void saveSettingsCommand()
{
    SettingsInput input = validateSettingsInput(controlText(mainState.vatSettingEdit),
                                                controlText(mainState.decimalsSettingEdit));
    const std::optional<MonthDay> patron = readPatronDay(controlText(mainState.patronDayEdit));
    if (!input.ok || !patron) {
        SetWindowTextW(mainState.settingsStatus, input.ok ? patronRejectedText : settingsRejectedText);
        fitWindowToTab();
        return;
    }
    settings.vatRate = input.vatRate;
    settings.decimals = input.decimals;
    settings.patronDay = *patron;
    settings.keepTape = SendMessageW(mainState.keepTapeCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
    settings.invoice = InvoiceProfile{static_cast<InvoiceFund>(mainState.pickedInvoiceFund),
                                      SendMessageW(mainState.withholdingCheck, BM_GETCHECK, 0, 0) == BST_CHECKED,
                                      SendMessageW(mainState.flatRateCheck, BM_GETCHECK, 0, 0) == BST_CHECKED};
    saveSettings();
    if (!settings.keepTape) forgetKeptTape();
    refreshVatLabel();
    showLastResultAgain();
    // The rate field shows the rate in effect: 2,675 was saved as 2,68.
    SetWindowTextW(mainState.vatSettingEdit, formatNumber(settings.vatRate, 2).c_str());
    SetWindowTextW(mainState.patronDayEdit, patronDayText(settings.patronDay).c_str());
    const bool nowhereToKeep = settings.keepTape && keptTapePath().empty();
    SetWindowTextW(mainState.settingsStatus, nowhereToKeep ? noDataFolderText : settingsSavedText);
    fitWindowToTab();
}
