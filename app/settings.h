// The two user settings, held in memory for the whole process.
#pragma once

#include <cstdint>

struct Settings {
    double vatRate = 22.0;      // percent, 0 to 100
    std::int32_t decimals = 2;  // decimal places of formatted amounts, 0 to 6
};

// The one process-wide record; it holds its defaults from process start.
extern Settings settings;
