#include "application/ControlsLink.h"

namespace {
ControlsLink* s_link = nullptr;
} // namespace

ControlsLink* ControlsLink::get() { return s_link; }

void ControlsLink::install(ControlsLink* Link) { s_link = Link; }
