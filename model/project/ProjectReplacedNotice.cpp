#include "model/project/ProjectReplacedNotice.h"
#include <algorithm>
#include <utility>

CProjectReplacedNotice::CRegistration& CProjectReplacedNotice::CRegistration::operator=(CRegistration&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_notice = std::exchange(other.m_notice, nullptr);
        m_listener = std::exchange(other.m_listener, nullptr);
    }
    return *this;
}

void CProjectReplacedNotice::CRegistration::Reset()
{
    if (m_notice)
        m_notice->Unregister(m_listener);
    m_notice = nullptr;
    m_listener = nullptr;
}

CProjectReplacedNotice::CRegistration CProjectReplacedNotice::Register(IProjectReplacedListener* listener)
{
    if (!listener)
        return {};
    // One entry per registration, so ending one of two registrations of the
    // same listener leaves it registered.
    m_listeners.push_back(listener);
    return CRegistration(this, listener);
}

void CProjectReplacedNotice::Unregister(IProjectReplacedListener* listener)
{
    auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it != m_listeners.end())
        m_listeners.erase(it);
}

void CProjectReplacedNotice::NotifyProjectReplacing(CProject* oldProject, CProject* newProject)
{
    // A copy, because listeners may leave (or join) while they are told.
    const std::vector<IProjectReplacedListener*> snapshot = m_listeners;
    std::vector<IProjectReplacedListener*> told;
    for (IProjectReplacedListener* listener : snapshot) {
        const bool registered = std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
        if (!registered || std::find(told.begin(), told.end(), listener) != told.end())
            continue;
        told.push_back(listener);
        listener->OnProjectReplacing(oldProject, newProject);
    }
}
