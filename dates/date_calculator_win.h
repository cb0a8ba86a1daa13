// "CALCOLA DATE" on the DATE tab.
#pragma once

void calculateDates();
