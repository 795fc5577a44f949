// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rb {

// The exit status when no window system can be reached.
inline constexpr int kNoWindowSystemStatus = 2;

// Start-up's guard around the window system. Left to itself, Qt aborts with a core dump when
// its platform cannot start: no display named, an X display or Wayland compositor that does
// not answer, a platform that is not installed. Instead the program prints one message that
// names what it could not open and says how to start it, and ends with status 2.
//
// guardWindowSystemStart() comes before the application object is made: with nothing named
// to show the window on it ends at once; otherwise it holds back Qt's messages until
// windowSystemStarted(), right after the application object, lets them out as usual. A fatal
// message in between ends the program with the clear word instead.
void guardWindowSystemStart();
void windowSystemStarted();

} // namespace rb
