#pragma once
// The cause a result code stands for, in words a user reads: every line that
// shows a code names the cause first, and the code may follow it.
#include "platform/Types.h"
#include <string>

// "access is denied" for E_ACCESSDENIED, and so on; a code without words of
// its own reads as an unknown error. From the resource library when it has
// the text, else the built-in English.
std::wstring ResultText(HRESULT hr);
