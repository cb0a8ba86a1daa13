// "CALCOLA INTERESSI" on the INTERESSI tab.
#pragma once

void calculateInterest();
