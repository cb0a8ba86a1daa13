// The day-by-day report of the last counted range.
#pragma once

#include <string>

#include "dates/date_calculator.h"

// The longest range that a report covers.
constexpr long long maxReportDays = 150000;

std::wstring buildDayVerificationReport(const LastDateRange& range);
