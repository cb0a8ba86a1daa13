// The source menu's "Aggiungi valore…" and "Togli valori aggiunti".
#pragma once

// The modal dialog "Aggiungi valore": true when a row was added and stored.
bool showAddValueDialog();

// Asks "Togliere tutti i valori aggiunti?" and, on Sì, removes them; true
// when they were removed.
bool removeAddedRows();
