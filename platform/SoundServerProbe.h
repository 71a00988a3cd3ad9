// SPDX-License-Identifier: MIT
#pragma once

// Whether a PulseAudio-protocol sound server (PulseAudio itself, or PipeWire's pulse socket) takes
// connections, found without its client library: from $PULSE_SERVER when set, else at its usual
// sockets. Returns the number of servers found, 0 or 1. The sound layer plays only through such a server.
int soundServerCount();
