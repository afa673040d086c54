#include "gfx/GlContext.h"

namespace {
bool contextAvailable = false;
}

bool GlContext::available() {
    return contextAvailable;
}

void GlContext::setAvailable(bool available) {
    contextAvailable = available;
}
