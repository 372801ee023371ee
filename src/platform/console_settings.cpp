#include "platform/console_settings.h"

#include "platform/console.h"

#include <cmath>

namespace platform {

namespace {

double pace = 1.0;
bool colour = true;

} // namespace

void setPace(double factor) { pace = factor >= 0 ? factor : 1.0; }

void setColour(bool on) { colour = on; }

int settings::pauseMs(int askedMs) {
    if (askedMs <= 0) {
        return 0;
    }
    return static_cast<int>(std::lround(askedMs * pace));
}

int settings::shownAttribute(int attribute) { return colour ? attribute : attrNormal; }

} // namespace platform
