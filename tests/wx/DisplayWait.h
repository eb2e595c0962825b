#pragma once
// Under a loaded parallel run the X server sometimes refuses a new client for
// a moment, or the toolkit fails to start: window test programs wait and try
// again instead of failing every test.
namespace kmtest {

// True once a client connection to the display succeeds (tries for about
// 10 s): the Wayland compositor's socket when GDK_BACKEND is wayland, else the
// X server of $DISPLAY. False without a display or when it never answers.
bool WaitForDisplay();

// Runs this program again in place of this process (a few times at most,
// after a short pause); returns only when it may not.
void StartAgain(char** argv);

}  // namespace kmtest
