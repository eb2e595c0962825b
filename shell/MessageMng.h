#pragma once
// The program's one message manager: the engine's IMsgHandler. The engine
// calls it on threads of its own; each message is copied and handed, in
// order, to the installed handler on the user-interface thread. Messages that
// were queued before NewGeneration (those of a job that has since been
// stopped or has ended) are dropped there.
//
// Threads: OnTextMessage/OnNotifyMessage/OnNotifyText from any thread; the
// handler runs only through the poster (or, without a poster, on the caller's
// thread). SetHandler and NewGeneration on the user-interface thread.
#include "engine/MsgMng.h"
#include <atomic>
#include <memory>

struct IUiPoster;

// What the message manager hands each message to (the document).
class ITextMessageMngHandler {
public:
    virtual HRESULT OnTextMessage(const wchar_t* text, DWORD flags) = 0;
    virtual HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) = 0;
    // The events that carry a text (MSGE_ENGINE_TEXT, MSGE_TEXT_FLAGS).
    virtual HRESULT OnNotifyText(DWORD id, const wchar_t* text, DWORD flags) = 0;

protected:
    ~ITextMessageMngHandler() = default;
};

class CMessageBase : public IMsgHandler {
public:
    ~CMessageBase() override = default;
};

class CMessageMng : public CMessageBase {
public:
    // poster null: the handler is called on the engine's thread, unchanged.
    explicit CMessageMng(IUiPoster* poster = nullptr);
    ~CMessageMng() override;
    CMessageMng(const CMessageMng&) = delete;
    CMessageMng& operator=(const CMessageMng&) = delete;

    // Not reference counted: the application owns the one instance.
    HRESULT QueryInterface(REFIID, void**) override { return S_OK; }
    ULONG AddRef() override { return 0; }
    ULONG Release() override { return 0; }

    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override;
    HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) override;
    HRESULT OnNotifyText(DWORD id, const wchar_t* text, DWORD flags) override;

    // Null drops every message.
    void SetHandler(ITextMessageMngHandler* handler);
    ITextMessageMngHandler* GetHandler() const;
    // Messages queued before this call are dropped when their turn comes.
    void NewGeneration();

private:
    struct Shared {
        std::atomic<ITextMessageMngHandler*> handler{nullptr};
        std::atomic<uint64_t> generation{0};
    };
    template <class Deliver>
    void Dispatch(Deliver deliver);

    IUiPoster* m_poster;
    // Queued calls hold it weakly, so a call that runs after the manager is
    // gone does nothing.
    std::shared_ptr<Shared> m_shared;
};
