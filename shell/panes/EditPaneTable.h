#pragma once
// The six edit panes of the editing page as data: view key, bar command,
// splitter key and its default width, bar label and icon, and which output
// kinds offer the pane. CPaneSwitch holds the page's pane state (active and
// previous key, the bar's button set) and decides the switches, so the page
// window only carries them out.
#include <optional>
#include <span>
#include <vector>

enum EditPaneKey : int {
    kNoPane = 0,
    kTimelineKey = 1,
    kCropKey = 2,
    kWatermarkKey = 3,
    kAdvancedKey = 4,
    kFiltersKey = 5,
    kEraserKey = 6,
};

// Which buttons the bar shows.
enum PaneBarSet : int {
    kBarAll = 0,
    kBarImage = 1,
    kBarAudio = 2,
};

struct EditPaneInfo {
    int key;
    int command;
    const wchar_t* splitterKey;
    int splitterDefault;
    unsigned label;  // string id
    int icon;        // cell of the shared 32x32 command images
};

// The six panes in key order.
std::span<const EditPaneInfo> EditPanes();
const EditPaneInfo* PaneByKey(int key);
const EditPaneInfo* PaneByCommand(int command);
// The bar's commands of a set, top to bottom.
std::vector<int> BarCommands(int set);

// The outputs the project makes, by their "is_create" flags.
struct OutputFlags {
    bool video = false;
    bool image = false;
    bool audio = false;
};

class CPaneSwitch {
public:
    int Active() const { return m_active; }
    int Previous() const { return m_previous; }
    int BarSet() const { return m_barSet; }

    // Whether the bar's current set holds the pane command.
    bool Offers(int command) const;
    // A pane command: the previous key takes the active one and the command's
    // pane becomes active. False for a command that is no pane's or that the
    // current set lacks (the active pane stays).
    bool Select(int command);
    // Any other command still moves the active key into the previous one.
    void NoteCommand() { m_previous = m_active; }
    // Whether showing the active pane does anything (it is not the one shown).
    bool ShowDue() const { return m_previous != m_active; }

    struct Adaptation {
        bool rebuild = false;  // the bar gets a new set of buttons
        bool show = false;     // the active pane changed and is to be shown
    };
    // The set the outputs call for; the first made output (video, image,
    // audio) decides, none leaves everything as it is. A pane the new set
    // lacks gives way to the set's first choice.
    Adaptation Adapt(const OutputFlags& outputs);

private:
    int m_active = kTimelineKey;
    int m_previous = kNoPane;
    int m_barSet = kBarAll;
};
