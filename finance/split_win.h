// "RIPARTISCI" on the PROPORZIONI tab.
#pragma once

void calculateSplit();
