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
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

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
    using Delivery = std::function<void(ITextMessageMngHandler&)>;
    struct Queued {
        uint64_t generation;
        Delivery deliver;
    };
    struct Shared {
        std::atomic<ITextMessageMngHandler*> handler{nullptr};
        std::atomic<uint64_t> generation{0};
        std::mutex lock;
        std::deque<Queued> queue;  // under lock
        bool posted = false;       // a drain is on its way; under lock
    };
    // Messages are handed over a few at a time for at most a slice of the
    // window thread's time: a flood of them never holds it for long, the
    // rest follows in the next turn.
    static constexpr size_t kMessagesPerTurn = 16;
    static constexpr std::chrono::milliseconds kTimeSlice{15};

    void Dispatch(Delivery deliver);
    static void Drain(const std::weak_ptr<Shared>& weak, IUiPoster* poster);

    IUiPoster* m_poster;
    // Queued calls hold it weakly, so a call that runs after the manager is
    // gone does nothing.
    std::shared_ptr<Shared> m_shared;
};
