#pragma once
// The commands one owner (a view, an edit pane, the frame, the application)
// carries out: one entry per command id with its update rule (offered,
// checked) and its action. Owners fill their table once, one line a command;
// menus, ribbon buttons and keys reach the entries through the main frame's
// routing (active pane, view, frame, application), never through a switch.
#include <functional>
#include <optional>
#include <vector>

class wxUpdateUIEvent;

// What a command shows: offered or not, and its check mark when it has one.
struct CommandUi {
    bool enabled = true;
    std::optional<bool> checked;  // no value: the command shows no check mark
};

// Offered while on is true, no check mark.
inline CommandUi Enabled(bool on = true)
{
    return {on, std::nullopt};
}
// Offered while enabled, its mark set while checked.
inline CommandUi Checked(bool checked, bool enabled = true)
{
    return {enabled, checked};
}

class CCommandTable {
public:
    using UpdateRule = std::function<CommandUi()>;
    using Action = std::function<void()>;

    struct Entry {
        int id = 0;
        UpdateRule update;  // empty: always offered
        Action action;      // empty: answered as handled, nothing done
    };

    // Registers a command; an id has one entry per table (a second one is a
    // programming error and throws std::logic_error).
    CCommandTable& Add(int id, UpdateRule update, Action action);
    // A command that is always offered.
    CCommandTable& Add(int id, Action action) { return Add(id, UpdateRule(), std::move(action)); }

    const Entry* Find(int id) const;
    bool Has(int id) const { return Find(id) != nullptr; }
    // The state of the command; offered with no mark for an unknown id.
    CommandUi State(int id) const;
    // Sets the command's state on ui; false when the id has no entry.
    bool Update(int id, wxUpdateUIEvent& ui) const;
    // Runs the command's action; false when the id has no entry.
    bool Execute(int id) const;
    std::vector<int> Ids() const;

private:
    std::vector<Entry> m_entries;
};
