#pragma once
// Helpers for window tests. They run on the window thread of a test program
// linked with km_wxtest (tests/wx/WxTestMain.cpp), which starts wxWidgets once
// per process under the X server of xvfb-run and gives every test its own
// settings file. Nothing here waits on wall time for a result: PumpUntil
// polls a condition and its time-out only guards against a hang.
#include "fixtures/TestEnvironment.h"
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/window.h>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kmtest {

// Runs the event loop (native events, pending events, CallAfter, idle) until
// pred() holds or the time-out passes; returns pred().
bool PumpUntil(const std::function<bool()>& pred,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Runs the event loop for a while. Only for letting the X server settle,
// never as a way to wait for a result (use PumpUntil).
void PumpFor(std::chrono::milliseconds duration);

// The client area of w as it paints itself, drawn off-screen: GTK draws the
// widget with its children into an image surface, which sends wxWidgets'
// erase and paint events to the window's own handlers with a DC on that
// surface. Nothing is read back from the screen, so windows over it or a
// missing compositor do not matter. The window's top-level parent must be
// shown (it is waited for here); an empty image when it never shows.
wxImage PaintToImage(wxWindow& w);

// Paints w off-screen like PaintToImage, but at once: no event of the loop
// runs first, so a test sees what a paint does at this very moment (after a
// change, before the deferred work it queued). w must be shown and sized.
wxImage PaintNow(wxWindow& w);

// Draws into a memory DC of the given size, cleared to white first.
wxImage RenderToImage(wxSize size, const std::function<void(wxDC&)>& draw);

// The colour at (x, y); an invalid colour when the point is outside.
wxColour PixelAt(const wxImage& image, int x, int y);

// Paints w (PaintToImage) and saves it as <ScreenshotDir()>/<name>.png.
bool SaveWindowPng(wxWindow& w, const std::string& name);

// $KM_TEST_DIR/../screenshots: a folder of the build tree that survives the run.
std::filesystem::path ScreenshotDir();

// Synthetic mouse input, handed to the window's own handlers as the toolkit
// would deliver it; the pointer never moves, so these need no serial run.
// Points are client pixels of the window.
void SendMouse(wxWindow& w, wxEventType type, wxPoint at, bool leftDown = false);
// Button down and up at the point; twice adds the double click and its
// release. Calls posted by one event run before the next is sent.
void Click(wxWindow& w, wxPoint at, bool twice = false);
// The window that receives a list control's mouse input (the inner window of
// the generic list), after the list has laid out its rows.
wxWindow& ListMouseWindow(wxListCtrl& list);
// The centre of a row's label (its icon in an icon view) in the pixels of
// ListMouseWindow.
wxPoint ListRowPoint(wxListCtrl& list, long row);
// A click on a row; twice: a double click.
void ClickListRow(wxListCtrl& list, long row, bool twice = false);

// For a ModalHook's fill callback: a toolkit file or folder chooser (never
// shown) takes path as the user's pick and is answered as its OK button
// answers it. False when the chooser did not take the path.
bool AcceptChooser(wxDialog& chooser, const wxString& path);

// Answers modal dialogs and message boxes while it lives, without showing
// them: ShowModal() returns the given code at once. Each answer is used once,
// for the first dialog that matches it, in the order they were given. A
// dialog nobody expected is answered wxID_CANCEL and counted in Unexpected(),
// so a test never hangs on a dialog.
//
// Return codes are the wxID_* values ShowModal() gives (wxID_OK, wxID_YES,
// wxID_NO, wxID_CANCEL); wxMessageBox() turns them into wxOK, wxYES, ...
// itself. A fill callback sees the dialog before the code is returned: set
// its controls there, and call TransferDataFromWindow() when the dialog's
// caller reads values its validators copy out on OK.
class ModalHook : public wxModalDialogHook {
public:
    ModalHook();
    ~ModalHook() override;
    ModalHook(const ModalHook&) = delete;
    ModalHook& operator=(const ModalHook&) = delete;

    // The next dialog whose GetId() (the template number for our dialogs) is id.
    void AnswerDialog(int id, int returnCode, std::function<void(wxDialog&)> fill = {});
    // The next dialog whose GetName() is name.
    void AnswerDialog(const wxString& name, int returnCode, std::function<void(wxDialog&)> fill = {});
    // The next wxMessageDialog / wxMessageBox.
    void AnswerMessageBox(int returnCode);
    // The next dialog whose GetName() is name ("filedialog", "dirdialog") is
    // shown for real and, once on screen and settled, cancelled as its Cancel
    // button does: the toolkit's own chooser runs its whole life.
    void ShowAndCancel(const wxString& name);

    // Titles and messages of the dialogs seen, in order: a dialog adds its
    // title; a message box adds its title, its message and its extended
    // message when there is one.
    const std::vector<wxString>& Texts() const { return m_texts; }
    int Count() const { return m_count; }         // dialogs seen
    int Unexpected() const { return m_unexpected; }  // dialogs answered wxID_CANCEL for want of an answer
    int Pending() const { return int(m_answers.size()); }  // answers not used yet

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    struct Answer {
        enum class Kind { Id, Name, MessageBox, ShowAndCancel } kind;
        int id = 0;
        wxString name;
        int returnCode = wxID_CANCEL;
        std::function<void(wxDialog&)> fill;
    };
    bool Matches(const Answer& answer, wxDialog& dialog) const;
    void Record(wxDialog& dialog);
#ifdef __WXGTK3__
    void CancelWhenShown(wxDialog& dialog);
#endif

    std::deque<Answer> m_answers;
    std::vector<wxString> m_texts;
    int m_count = 0;
    unsigned m_cancelSource = 0;  // the GLib timeout that cancels a shown chooser
    wxDialog* m_letThrough = nullptr;  // the chooser shown for real, while it is modal
    int m_unexpected = 0;
};

}  // namespace kmtest
