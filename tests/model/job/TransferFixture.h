#pragma once
// A project stand-in for the transfer tests: plain parameter blocks for the
// three outputs and their advanced members, a fake job, and the messages sent.
#include "fixtures/FakeJob.h"
#include "model/job/RunManager.h"
#include "model/schema/ParametersObj.h"
#include <gtest/gtest.h>

namespace jobfakes {

class MessageRecorder : public IMsgHandler {
public:
    MessageRecorder() { m_previous = __SetMessageHandler(this); }
    ~MessageRecorder() override { __SetMessageHandler(m_previous); }
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        messages.push_back({text ? text : L"", flags});
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
    int Count(DWORD flag) const
    {
        int n = 0;
        for (const auto& m : messages) n += (m.second & flag) ? 1 : 0;
        return n;
    }
    std::vector<std::pair<std::wstring, DWORD>> messages;

private:
    IMsgHandler* m_previous = nullptr;
};

class TestProject : public CRunManager {
public:
    TestProject();
    ~TestProject() override;
    CVideoFileObj* GetVideoOutput() override { return nullptr; }
    CAudioFileObj* GetAudioOutput() override { return nullptr; }
    CImageFileObj* GetImageOutput() override { return nullptr; }

    // A fake job with one profile holding one format node, made current.
    ComPtr<Job> AttachJob(int profiles = 1);

    CParametersObj outputs[3];
    CParametersObj advanced[3];
    LogPtr log = std::make_shared<Log>();
    // The next jobs CreateJob makes; fresh ones after these.
    std::vector<ComPtr<Job>> nextJobs;
    HRESULT createResult = S_OK;
    Job* lastJob = nullptr;  // not held: the live count must see it go

protected:
    CParametersObj* OutputSettings(EOutputKind kind) override { return &outputs[kind]; }
    CParametersObj* AdvancedSettings(EOutputKind kind) override { return &advanced[kind]; }
    void TransferEditing(EOutputKind kind, IUnknown*) override
    {
        log->lines.push_back(L"edit|" + std::to_wstring(kind));
    }
    HRESULT CreateJobObject(ComPtr<IConversionJob>& job) override;
};

}  // namespace jobfakes
