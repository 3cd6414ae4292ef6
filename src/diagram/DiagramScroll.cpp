#include "diagram/DiagramScroll.h"

#include <algorithm>

int clampedScrollPosition(int wanted, int range, int clientSize)
{
    return std::clamp(wanted, 0, std::max(0, range - clientSize));
}

void PlainScroll::setRanges(int horz, int vert)
{
    horzRange_ = horz;
    vertRange_ = vert;
    setHorzPosition(horz_);
    setVertPosition(vert_);
}

void PlainScroll::setHorzPosition(int position)
{
    horz_ = clampedScrollPosition(position, horzRange_, width_);
}

void PlainScroll::setVertPosition(int position)
{
    vert_ = clampedScrollPosition(position, vertRange_, height_);
}

void centreScroll(DiagramScroll& scroll)
{
    scroll.setVertPosition((scroll.vertRange() - scroll.clientHeight()) / 2);
    scroll.setHorzPosition((scroll.horzRange() - scroll.clientWidth()) / 2);
}
