// The official tables as the office sees them: every legal and reference
// rate and every FOI index the calculations use, the added rows marked.
#pragma once

#include <string>

#include "finance/added_rows.h"

// "TASSO LEGALE", "TASSO DI RIFERIMENTO (D.Lgs. 231/2002)" and "INDICE FOI",
// each a heading and its rows, lines joined by CR LF: "01/01/2026: 1,60% (DM
// 10/12/2025)", "2° semestre 2026: 2,40%", "2026 (base 2025=100): gen 100,4;
// …"; an added row ends with " (aggiunto)".
std::wstring tablesReport(const AddedRows& added);

// The added rows one a line, as the question before removing them names
// them: "Tasso legale dal 01/01/2027: 1,50%".
std::wstring addedRowsList(const AddedRows& added);
