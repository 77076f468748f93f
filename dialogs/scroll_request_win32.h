// A scroll bar's notification code as the request the game's scroll logic takes.
#pragma once

#include <windows.h>

#include "game/history.h"

inline SliderRequest ScrollRequestOf(int code)
{
    switch (code) {
    case SB_LINELEFT: return SliderRequest::StepLeft;
    case SB_LINERIGHT: return SliderRequest::StepRight;
    case SB_PAGELEFT: return SliderRequest::PageLeft;
    case SB_PAGERIGHT: return SliderRequest::PageRight;
    case SB_THUMBPOSITION: return SliderRequest::Thumb;
    default: return SliderRequest::Other;
    }
}
