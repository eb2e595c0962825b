#pragma once
// Asks the system not to sleep while a conversion runs: an inhibitor lock from
// the login manager where a system bus offers one, silently nothing elsewhere.
#include "platform/Types.h"

class CKeepAwake {
public:
    // S_OK when a lock is held, S_FALSE when the system offers none.
    static HRESULT Request();
    static void Release();
    static bool IsHeld();
};
