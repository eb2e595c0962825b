#include "shell/commands/CommandTable.h"
#include <stdexcept>
#include <string>
#include <wx/event.h>

CCommandTable& CCommandTable::Add(int id, UpdateRule update, Action action)
{
    if (Has(id))
        throw std::logic_error("command " + std::to_string(id) + " registered twice");
    m_entries.push_back({id, std::move(update), std::move(action)});
    return *this;
}

const CCommandTable::Entry* CCommandTable::Find(int id) const
{
    for (const Entry& e : m_entries)
        if (e.id == id)
            return &e;
    return nullptr;
}

CommandUi CCommandTable::State(int id) const
{
    const Entry* e = Find(id);
    return e && e->update ? e->update() : CommandUi{};
}

bool CCommandTable::Update(int id, wxUpdateUIEvent& ui) const
{
    if (!Has(id))
        return false;
    const CommandUi state = State(id);
    ui.Enable(state.enabled);
    if (state.checked)
        ui.Check(*state.checked);
    return true;
}

bool CCommandTable::Execute(int id) const
{
    const Entry* e = Find(id);
    if (!e)
        return false;
    if (e->action)
        e->action();
    return true;
}

std::vector<int> CCommandTable::Ids() const
{
    std::vector<int> ids;
    ids.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        ids.push_back(e.id);
    return ids;
}
