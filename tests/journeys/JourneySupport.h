#pragma once
// What every journey needs: the program started in-process from the built
// resource folder, an empty settings folder, files dropped on the file list,
// a grid row typed into, and a conversion run from the ribbon to its end.
#include "shell/KestrelMediaApp.h"
#include "shell/frame/MainFrame.h"
#include "wx/WxTestSupport.h"
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class CProject;
class CPropertiesEditCtrl;
class CSchemaProperty;
class wxPGProperty;
class CSourceTypeFileView;

namespace journey {

// Records what GTK warns of (Gtk-WARNING, Gtk-CRITICAL) while it lives: the
// program must cause none of it on a user's way through its windows.
class GtkWarnings {
public:
    GtkWarnings();
    ~GtkWarnings();
    GtkWarnings(const GtkWarnings&) = delete;
    GtkWarnings& operator=(const GtkWarnings&) = delete;
    const std::vector<std::string>& Lines() const { return m_lines; }

    // One warning line, kept by the recorder self.
    static void Record(const char* domain, int level, const char* message, void* self);

private:
    unsigned m_handler = 0;
    std::vector<std::string> m_lines;
};

// The program; at its end the journey fails when GTK warned of anything.
class Program {
public:
    explicit Program(const std::wstring& project = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void ShowTab(int position);
    template <class View>
    View* Page(int kind) const
    {
        return dynamic_cast<View*>(frame->FindMainView(kind));
    }
    CProject& Project();

    GtkWarnings gtk;
    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    bool started = false;
};

// An empty folder under the tests' folder whose settings file the program uses.
std::filesystem::path FreshFolder(const std::string& name);
void DropFiles(CSourceTypeFileView& view, const std::vector<std::filesystem::path>& files);
// Types text into the grid row bound to a setting, as the user does.
bool TypeIntoGrid(CPropertiesEditCtrl& grid, const void* field, const wxString& text);
// The row of the grid whose setting matches (or is bound to field), or null.
wxPGProperty* FindRow(CPropertiesEditCtrl& grid, const std::function<bool(const CSchemaProperty&)>& match);
wxPGProperty* RowOf(CPropertiesEditCtrl& grid, const void* field);
// Selects row and presses the "..." button of its editor, as a click on it does.
bool PressRowButton(CPropertiesEditCtrl& grid, wxPGProperty* row);
// The output page's video kind, the first profile whose name holds text, and
// the destination typed into the grid.
void ChooseVideoProfile(Program& program, const std::wstring& text, const std::filesystem::path& out);
// Starts from the ribbon and waits for the end; the log's text.
wxString ConvertAndWait(Program& program, kmtest::ModalHook& hook);

}  // namespace journey
