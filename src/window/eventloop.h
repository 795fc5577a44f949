#pragma once

namespace rb {

// The yield: runs the handlers of all pending events (timers, input, repaints), nested inside
// the caller, then returns.
void doEvents();

} // namespace rb
