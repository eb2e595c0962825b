#include "journeys/JourneySupport.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/profile/ProfileListControl.h"
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "model/schema/SchemaProperty.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeFileView.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include <gtest/gtest.h>
#include <glib.h>
#include <wx/dnd.h>
#include <wx/listctrl.h>

namespace fs = std::filesystem;

namespace journey {

namespace {

GtkWarnings* g_recorder = nullptr;  // the live recorder, if any

// GTK logs through the structured log, which the per-domain handlers never
// see: one writer for the whole process hands GTK's warnings to the live
// recorder and everything else to GLib's default writer.
GLogWriterOutput WriteLog(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer)
{
    if (g_recorder && (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL))) {
        std::string domain, message;
        for (gsize i = 0; i < count; ++i) {
            const std::string key = fields[i].key;
            const char* value = static_cast<const char*>(fields[i].value);
            if (key == "GLIB_DOMAIN" && value)
                domain = value;
            else if (key == "MESSAGE" && value)
                message = fields[i].length < 0 ? std::string(value) : std::string(value, fields[i].length);
        }
        if (domain == "Gtk")
            GtkWarnings::Record(domain.c_str(), level, message.c_str(), g_recorder);
    }
    return g_log_writer_default(level, fields, count, nullptr);
}

}  // namespace

GtkWarnings::GtkWarnings()
{
    static const bool writerSet = [] {
        g_log_set_writer_func(WriteLog, nullptr, nullptr);
        return true;
    }();
    (void)writerSet;
    g_recorder = this;
    const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_FLAG_FATAL |
                                                    G_LOG_FLAG_RECURSION);
    m_handler = g_log_set_handler(
        "Gtk", levels,
        [](const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer self) {
            Record(domain, static_cast<int>(level), message, self);
        },
        this);
}

GtkWarnings::~GtkWarnings()
{
    g_log_remove_handler("Gtk", m_handler);
    if (g_recorder == this)
        g_recorder = nullptr;
}

void GtkWarnings::Record(const char* domain, int level, const char* message, void* self)
{
    const char* kind = (level & G_LOG_LEVEL_CRITICAL) ? "CRITICAL" : "WARNING";
    static_cast<GtkWarnings*>(self)->m_lines.push_back(std::string(domain ? domain : "") + "-" + kind + ": " +
                                                       (message ? message : ""));
}

Program::Program(const std::wstring& project)
{
    CKestrelMediaApp::StartupOptions options;
    options.resourceFolder = KM_RES_DIR;
    options.showSplash = false;
    options.commandLineFile = project;
    started = app.InitInstance(options);
    frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
}

Program::~Program()
{
    if (app.GetDocument())
        app.GetDocument()->SetModifiedFlag(false);
    app.ExitInstance();
    std::string lines;
    for (const std::string& l : gtk.Lines())
        lines += l + "\n";
    EXPECT_TRUE(gtk.Lines().empty()) << "GTK warned while the program ran:\n" << lines;
}

void Program::ShowTab(int position)
{
    frame->GetRibbon()->SetActiveCategory(frame->GetCategory(position));
}

CProject& Program::Project()
{
    return *app.GetDocument()->GetProject();
}

fs::path FreshFolder(const std::string& name)
{
    const fs::path dir = kmtest::TestDir() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    CSettingsStore::Instance().SetPath(dir / "settings.ini");
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    return dir;
}

void DropFiles(CSourceTypeFileView& view, const std::vector<fs::path>& files)
{
    wxArrayString names;
    for (const fs::path& f : files)
        names.Add(wxString::FromUTF8(f.string()));
    auto* target = dynamic_cast<wxFileDropTarget*>(view.GetList()->GetDropTarget());
    ASSERT_NE(target, nullptr);
    target->OnDropFiles(20, 20, names);
}

wxPGProperty* FindRow(CPropertiesEditCtrl& grid, const std::function<bool(const CSchemaProperty&)>& match)
{
    for (auto it = grid.GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it)
        if (const CSchemaProperty* p = CPropertiesEditCtrl::RowProperty(*it); p && match(*p))
            return *it;
    return nullptr;
}

wxPGProperty* RowOf(CPropertiesEditCtrl& grid, const void* field)
{
    return FindRow(grid, [field](const CSchemaProperty& p) { return p.value == field; });
}

bool TypeIntoGrid(CPropertiesEditCtrl& grid, const void* field, const wxString& text)
{
    wxPGProperty* row = RowOf(grid, field);
    return row && grid.ChangePropertyValue(row, text);
}

bool PressRowButton(CPropertiesEditCtrl& grid, wxPGProperty* row)
{
    if (!row || !grid.SelectProperty(row, true))
        return false;
    wxWindow* button = grid.GetEditorControlSecondary();
    if (!button)
        return false;
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
    return true;
}

void ChooseVideoProfile(Program& program, const std::wstring& text, const fs::path& out)
{
    program.ShowTab(kCategoryOutput);
    auto* output = program.Page<COutputView>(kPageOutput);
    ASSERT_NE(output, nullptr);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowVideoOutput));
    int index = -1;
    const auto& entries = output->GetProfiles().Entries();
    for (size_t i = 0; i < entries.size() && index < 0; ++i)
        if (entries[i]->m_name.find(text) != std::wstring::npos)
            index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    output->GetProfileList()->SetSelection(index);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ChooseProfile));
    ASSERT_TRUE(TypeIntoGrid(*output->GetGrid(), &program.Project().GetVideoOutput()->destination,
                             wxString::FromUTF8(out.string())));
}

wxString ConvertAndWait(Program& program, kmtest::ModalHook& hook)
{
    hook.AnswerMessageBox(wxID_OK);  // the end of the run
    EXPECT_TRUE(program.frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    auto* conversion = program.Page<CConvertView>(kPageConversion);
    EXPECT_NE(conversion, nullptr);
    if (!conversion)
        return {};
    EXPECT_TRUE(kmtest::PumpUntil([&] { return conversion->IsFinished(); }, std::chrono::seconds(240)));
    kmtest::PumpFor(std::chrono::milliseconds(100));
    return conversion->GetLog()->GetValue();
}

}  // namespace journey
