// The source menu's "Aggiungi valore…" and "Togli valori aggiunti".
#pragma once

#include "finance/added_rows.h"

// The office's added rows, read from the registry at start, handed to every
// calculation that reads the tables.
extern AddedRows addedRows;

// The modal dialog "Aggiungi valore": true when a row was added and stored.
bool showAddValueDialog();

// Asks "Togliere tutti i valori aggiunti?" and, on Sì, removes them; true
// when they were removed.
bool removeAddedRows();
