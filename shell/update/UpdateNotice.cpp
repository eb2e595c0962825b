#include "shell/update/UpdateNotice.h"
#include "shell/update/UpdateService.h"

namespace {
constexpr uint32_t IDS_UPDATE_FAILED = 415;
constexpr uint32_t IDS_UPDATE_CURRENT = 416;
constexpr uint32_t IDS_UPDATE_AVAILABLE = 417;

uint32_t AnswerText(int result)
{
    return result == UPDATE_NEWER ? IDS_UPDATE_AVAILABLE : IDS_UPDATE_CURRENT;
}
}  // namespace

UpdateNotice DecideAutoNotice(int result, const std::wstring& answer, const std::wstring& lastResponse)
{
    if (result == UPDATE_CHECK_FAILED || answer == lastResponse) return {};
    return {AnswerText(result), false, true};
}

UpdateNotice DecideManualNotice(int result)
{
    if (result == UPDATE_CHECK_FAILED) return {IDS_UPDATE_FAILED, true, false};
    return {AnswerText(result), false, true};
}
