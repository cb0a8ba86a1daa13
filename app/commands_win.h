// Control identifiers and the main window's command handler.
#pragma once

#include <windows.h>

enum CommandId : int {
    idTabCalc = 110,
    idTabDate = 111,
    idTabInterest = 112,
    idTabSplit = 113,
    idTabOptions = 114,
    idInput = 140,
    idTape = 141,
    idDisplay = 142,
    idCopy = 143,
    idPrint = 144,
    idClear = 145,
    idKeypadToggle = 146,
    idTopmost = 147,
    idMinimise = 148,
    idClose = 149,
    idVatRate = 150,
    idAddVat = 151,
    idRemoveVat = 152,
    idVatOnly = 153,
    idMemoryClear = 154,  // Ctrl+L: no key of its own
    idCalculateDates = 200,
    idCalculateInterest = 201,
    idSplit = 202,
    idSaveSettings = 203,
    idAddQuota = 204,
    idRemoveQuota = 205,
    idVerifyDays = 206,
    idFormulaToggle = 207,
    idCalendarDateFrom = 208,
    idCalendarDateTo = 209,
    idCalendarInterestFrom = 210,
    idCalendarInterestTo = 211,
    idDeadlineRule = 212,
    idRateSource = 213,
    idLedger = 214,     // "CONTEGGIO…": the claim ledger's window
    idPatronDay = 215,  // the field of the patron saint's day
    idRevaluation = 216,  // the checkbox "Rivalutazione ISTAT"
    idKeepTape = 217,     // the checkbox "Conserva il nastro alla chiusura"
    idSplitTable = 218,   // "TABELLA…": the table split's window
    idActTerms = 219,     // "TERMINI…" on DATE: every term of one act
    idInvoiceFund = 220,  // "Cassa previdenziale": the menu button of F6's profile
    idWithholding = 221,  // the checkbox "Ritenuta d'acconto 20%"
    idFlatRate = 222,     // the checkbox "Regime forfettario"
    idKeypadFirst = 300,  // 300 to 326, row by row
    idKeypadEquals = 319,  // "=", Enter of the input line
    idMemoryAdd = 320,     // "M+", Ctrl+P
    idMemorySubtract = 321,  // "M−", Ctrl+Q
    idMemoryRecall = 322,  // "MR", Ctrl+R
    idGrandTotal = 323,    // "GT", Ctrl+G
    idInvoice = 324,         // F6: the invoice of the fee
    idInvoiceFromNet = 325,  // Shift+F6: the fee from the net to be paid
    idSubtotal = 326,        // "ST", Ctrl+T
};

constexpr int keypadKeys = 27;  // six rows of four, then FATTURA, DA NETTO and ST

// The commands of the drop-down and context menus, as TrackPopupMenu returns them.
enum MenuCommandId : int {
    menuVatRateFirst = 401,  // 401 to 404: 4, 5, 10 and 22 %
    menuVatOptions = 405,    // "Personalizza in Opzioni..."
    menuRuleFirst = 411,     // 411 to 414, in the deadline rules' order
    menuSourceFirst = 421,   // 421 to 423, in the rate sources' order
    menuAddValue = 424,      // "Aggiungi valore…"
    menuRemoveAddedValues = 425,
    menuShowTables = 426,  // "Mostra tabelle"
    menuCopyTapeLines = 431,
    menuCopyTape = 432,
    menuCopyTapeForSpreadsheet = 433,
    menuCopyResult = 441,  // "Copia" on the DATE and INTERESSI results
    menuExportCalendar = 442,  // "Esporta in calendario…" on a deadline
    menuFundFirst = 451,       // 451 to 454, in the funds' order
    menuActFirst = 461,        // 461 to 465, the acts of "TERMINI…" in their order
};

// Carries out one WM_COMMAND; false when it is left to the default procedure.
bool onCommand(int id, int notification, HWND control);

// The keyboard of the main window as a whole, seen by the message loop before
// the key reaches its control: Tab and Shift+Tab, Ctrl+Tab and Ctrl+PgDn/PgUp
// between the tabs, Enter in a field runs its tab's command, and the numeric
// keypad's decimal key types "," (or "/" in a date field) whatever the
// keyboard layout. True when the key was taken here.
bool onMainWindowKey(const MSG& msg);

// Gives a control the focus as the Tab key does: a field's whole text is
// selected, so that typing replaces it; the calculator's input line keeps
// its text and caret.
void enterControl(HWND control);

// On CALC the input line has the focus after every command, so that the
// next digits typed go there.
void focusInputLineOnCalc();

