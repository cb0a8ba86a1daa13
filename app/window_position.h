// Where the main window opens: where it was closed, as long as its header
// then lies wholly inside the work area of one monitor (a monitor since
// unplugged, or a layout since changed, must not leave it out of reach);
// else at the top-left corner of the primary monitor's work area.
#pragma once

#include <optional>
#include <vector>

#include "dates/screen_box.h"

ScreenPoint openingPosition(const std::optional<ScreenPoint>& saved, int headerWidth, int headerHeight,
                            const std::vector<ScreenBox>& workAreas, const ScreenBox& primaryWork);
