#pragma once
// Tells whoever holds pointers into the current project (views, panes, the
// profiles manager) that New or Open is about to replace it, so each drops
// them before the old project is freed. The document owns one notice and calls
// NotifyProjectReplacing between building the new project and freeing the old.
// Window thread only: no lock.
#include <cstddef>
#include <vector>

class CProject;

class IProjectReplacedListener {
public:
    // oldProject is still alive during the call and freed right after;
    // newProject is the one that takes its place (null when none does).
    virtual void OnProjectReplacing(CProject* oldProject, CProject* newProject) = 0;

protected:
    ~IProjectReplacedListener() = default;
};

class CProjectReplacedNotice {
public:
    // Keeps a listener registered while it lives; the notice must outlive it.
    class CRegistration {
    public:
        CRegistration() = default;
        CRegistration(CProjectReplacedNotice* notice, IProjectReplacedListener* listener)
            : m_notice(notice), m_listener(listener) {}
        CRegistration(CRegistration&& other) noexcept { *this = std::move(other); }
        CRegistration& operator=(CRegistration&& other) noexcept;
        CRegistration(const CRegistration&) = delete;
        CRegistration& operator=(const CRegistration&) = delete;
        ~CRegistration() { Reset(); }
        void Reset();

    private:
        CProjectReplacedNotice* m_notice = nullptr;
        IProjectReplacedListener* m_listener = nullptr;
    };

    // A listener registered twice is told once, and stays until both
    // registrations end. A null listener is not registered.
    [[nodiscard]] CRegistration Register(IProjectReplacedListener* listener);
    // Ends one registration of the listener.
    void Unregister(IProjectReplacedListener* listener);

    // Calls every listener in the order they registered. A listener may
    // unregister itself or others during the call (a pane that closes): one
    // that is gone is not called. One that registers during the call is told
    // next time.
    void NotifyProjectReplacing(CProject* oldProject, CProject* newProject);

    size_t Count() const { return m_listeners.size(); }  // registrations

private:
    std::vector<IProjectReplacedListener*> m_listeners;
};
