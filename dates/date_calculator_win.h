// "CALCOLA DATE" on the DATE tab.
#pragma once

#include <string>

void calculateDates();

// The deadline rule's button and menu: "Civile  ▾", "Processuale  ▾" or
// "Fiscale  ▾", the rule in effect checked; a pick is stored at once.
std::wstring deadlineRuleLabel();
void showDeadlineRuleMenu();
