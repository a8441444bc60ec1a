#pragma once

// How the calling thread came to run: with real-time priority (the lowest
// real-time level, enough to run ahead of every normal thread) or as before.
enum class RealTimeGrant {
    Kernel, // the process may set it itself (a limit or capability allows it)
    Rtkit,  // granted by the desktop's RealtimeKit service
    None,   // refused both ways: the thread stays a normal one
};

// Asks for prompt wake-ups and real-time priority for the calling thread:
// first of the kernel, and where that is refused (an ordinary user without
// a real-time limit) of RealtimeKit over the system D-Bus. Where RealtimeKit
// is missing, later calls do not ask it again.
RealTimeGrant makeThisThreadRealTime();
