#pragma once
// What the user is told after a version check, decided from the check's result
// and the answer last told about ("Settings"/"LastResponse"). Plain rules, run
// on the user-interface thread.
#include <cstdint>
#include <string>

struct UpdateNotice {
    uint32_t stringId = 0;  // 0: say nothing
    bool error = false;     // error icon instead of information
    bool storeAnswer = false;  // write the answer to "LastResponse"
};

// The background check at start: speaks only when the answer is new to the user.
UpdateNotice DecideAutoNotice(int result, const std::wstring& answer, const std::wstring& lastResponse);
// The check the user asked for: always says how it went.
UpdateNotice DecideManualNotice(int result);
