#include "platform/console_settings.h"

#include "platform/console.h"

#include <cmath>

namespace platform {

namespace {

double pace = 1.0;
bool colour = true;
long long paused = 0;

} // namespace

void setPace(double factor) { pace = factor >= 0 ? factor : 1.0; }

void setColour(bool on) { colour = on; }

int settings::pauseMs(int askedMs) {
    if (askedMs <= 0) {
        return 0;
    }
    const int pause = static_cast<int>(std::lround(askedMs * pace));
    paused += pause;
    return pause;
}

long long settings::pausedMs() { return paused; }

int settings::shownAttribute(int attribute) { return colour ? attribute : attrNormal; }

} // namespace platform
