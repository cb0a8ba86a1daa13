#include "app/window_position.h"

ScreenPoint openingPosition(const std::optional<ScreenPoint>& saved, int headerWidth, int headerHeight,
                            const std::vector<ScreenBox>& workAreas, const ScreenBox& primaryWork)
{
    if (saved) {
        // In 64 bits: a stored coordinate may be anything a DWORD holds.
        const long long right = static_cast<long long>(saved->x) + headerWidth;
        const long long bottom = static_cast<long long>(saved->y) + headerHeight;
        for (const ScreenBox& work : workAreas)
            if (saved->x >= work.left && saved->y >= work.top && right <= work.right && bottom <= work.bottom)
                return *saved;
    }
    return {primaryWork.left, primaryWork.top};
}
