#include "WxTestSupport.h"
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>
#include <thread>
#ifdef __WXGTK3__
#include <cairo.h>
#include <gtk/gtk.h>
#endif

namespace kmtest {

namespace {

using Clock = std::chrono::steady_clock;

// One round of the event loop: native events, then wx's pending events and
// CallAfter calls, then one idle pass. True when something was waiting.
bool PumpOnce()
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (!loop)
        return false;
    bool busy = loop->Pending() || (wxTheApp && wxTheApp->HasPendingEvents());
    loop->YieldFor(wxEVT_CATEGORY_ALL);
    return busy;
}

void Pump(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done() && Clock::now() < end) {
        // Events posted from other threads do not wake a yield: poll briefly.
        if (!PumpOnce())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

#ifdef __WXGTK3__
// The GTK widget that shows the client area: wx's own drawing area for
// windows wxWidgets draws, the native widget for standard controls.
GtkWidget* ClientWidget(wxWindow& w)
{
    return w.m_wxwindow ? w.m_wxwindow : w.m_widget;
}

wxImage ImageFromSurface(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    wxImage image(width, height, false);
    unsigned char* out = image.GetData();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const uint32_t px = row[x];  // RGB24: 0x00RRGGBB in native order
            *out++ = (px >> 16) & 0xff;
            *out++ = (px >> 8) & 0xff;
            *out++ = px & 0xff;
        }
    }
    return image;
}

wxImage DrawWidget(wxWindow& w)
{
    GtkWidget* widget = ClientWidget(w);
    if (!widget)
        return {};
    const int width = gtk_widget_get_allocated_width(widget);
    const int height = gtk_widget_get_allocated_height(widget);
    if (width <= 0 || height <= 0)
        return {};
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    const wxColour bg = w.GetBackgroundColour();
    cairo_set_source_rgb(cr, bg.Red() / 255.0, bg.Green() / 255.0, bg.Blue() / 255.0);
    cairo_paint(cr);
    gtk_widget_draw(widget, cr);
    cairo_destroy(cr);
    wxImage image = ImageFromSurface(surface);
    cairo_surface_destroy(surface);
    return image;
}
#endif

#ifndef __WXGTK3__
// Where no GTK 3 is at hand: copy the shown window through its client DC.
wxImage BlitWindow(wxWindow& w)
{
    const wxSize size = w.GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return {};
    w.Update();
    wxClientDC source(&w);
    wxBitmap bitmap(size, 24);
    wxMemoryDC target(bitmap);
    target.Blit(0, 0, size.x, size.y, &source, 0, 0);
    target.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}
#endif

}  // namespace

bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout)
{
    Pump(pred, timeout);
    return pred();
}

void PumpFor(std::chrono::milliseconds duration)
{
    Pump([] { return false; }, duration);
}

wxImage PaintToImage(wxWindow& w)
{
#ifdef __WXGTK3__
    GtkWidget* widget = ClientWidget(w);
    // Drawing needs the widget mapped and its size given by GTK.
    const bool ready = PumpUntil([&] {
        return widget && gtk_widget_get_mapped(widget) && gtk_widget_get_allocated_width(widget) > 1;
    }, std::chrono::seconds(5));
    if (!ready)
        return {};
    PumpOnce();  // let size and layout events that the mapping queued run
    // A child shown or resized just now may still wait for its size; GTK only
    // draws a widget whose whole tree has been allocated, so settle it here.
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    if (top && GTK_IS_CONTAINER(top))
        gtk_container_check_resize(GTK_CONTAINER(top));
    return DrawWidget(w);
#else
    if (!PumpUntil([&] { return w.IsShownOnScreen(); }, std::chrono::seconds(5)))
        return {};
    return BlitWindow(w);
#endif
}

wxImage PaintNow(wxWindow& w)
{
#ifdef __WXGTK3__
    return DrawWidget(w);
#else
    return BlitWindow(w);
#endif
}

wxImage RenderToImage(wxSize size, const std::function<void(wxDC&)>& draw)
{
    wxBitmap bitmap(size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        draw(dc);
        dc.SelectObject(wxNullBitmap);
    }
    return bitmap.ConvertToImage();
}

wxColour PixelAt(const wxImage& image, int x, int y)
{
    if (!image.IsOk() || x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
        return {};
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

std::filesystem::path ScreenshotDir()
{
    return TestDir().parent_path() / "screenshots";
}

bool SaveWindowPng(wxWindow& w, const std::string& name)
{
    const wxImage image = PaintToImage(w);
    if (!image.IsOk())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(ScreenshotDir(), ec);
    if (ec)
        return false;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);  // the image list owns it
    const auto path = ScreenshotDir() / (name + ".png");
    return image.SaveFile(wxString::FromUTF8(path.string()), wxBITMAP_TYPE_PNG);
}

// ---------------------------------------------------------------- mouse

void SendMouse(wxWindow& w, wxEventType type, wxPoint at, bool leftDown)
{
    wxMouseEvent event(type);
    event.SetPosition(at);
    event.SetLeftDown(leftDown);
    event.SetEventObject(&w);
    event.SetId(w.GetId());
    w.GetEventHandler()->ProcessEvent(event);
}

void Click(wxWindow& w, wxPoint at, bool twice)
{
    // A person's clicks come one event-loop turn apart: what one event posts
    // (CallAfter) runs before the next one arrives.
    const auto send = [&](wxEventType type, bool down) {
        SendMouse(w, type, at, down);
        if (wxTheApp)
            wxTheApp->ProcessPendingEvents();
    };
    send(wxEVT_LEFT_DOWN, true);
    send(wxEVT_LEFT_UP, false);
    if (!twice)
        return;
    send(wxEVT_LEFT_DCLICK, true);
    send(wxEVT_LEFT_UP, false);
}

wxWindow& ListMouseWindow(wxListCtrl& list)
{
    // The generic list ignores the mouse until it has laid out its rows at idle time.
    if (wxTheApp)
        wxTheApp->ProcessIdle();
    // The generic list has two children: its column titles and the rows.
    for (wxWindow* child : list.GetChildren())
        if (child->GetName() != "wxlistctrlcolumntitles")
            return *child;
    return list;
}

wxPoint ListRowPoint(wxListCtrl& list, long row)
{
    wxWindow& target = ListMouseWindow(list);
    wxRect rect;
    list.GetItemRect(row, rect, list.InReportView() ? wxLIST_RECT_LABEL : wxLIST_RECT_ICON);
    return target.ScreenToClient(list.ClientToScreen(rect.GetPosition() + rect.GetSize() / 2));
}

void ClickListRow(wxListCtrl& list, long row, bool twice)
{
    Click(ListMouseWindow(list), ListRowPoint(list, row), twice);
}

bool AcceptChooser(wxDialog& chooser, const wxString& path)
{
    auto* file = dynamic_cast<wxFileDialog*>(&chooser);
    auto* folder = dynamic_cast<wxDirDialog*>(&chooser);
    if (file)
        file->SetPath(path);
    else if (folder)
        folder->SetPath(path);
    else
        return false;
#ifdef __WXGTK3__
    // The chooser reads its folder in the background before the pick holds.
    GtkFileChooser* gtkChooser = GTK_FILE_CHOOSER(chooser.m_widget);
    const bool taken = PumpUntil([&] {
        gchar* name = gtk_file_chooser_get_filename(gtkChooser);
        const bool same = name && wxString::FromUTF8(name) == path;
        g_free(name);
        return same;
    }, std::chrono::seconds(10));
    if (!taken)
        return false;
    gtk_dialog_response(GTK_DIALOG(chooser.m_widget), GTK_RESPONSE_ACCEPT);
    return true;
#else
    return false;
#endif
}

// ---------------------------------------------------------------- ModalHook

ModalHook::ModalHook()
{
    Register();
}

ModalHook::~ModalHook()
{
#ifdef __WXGTK3__
    if (m_cancelSource)
        g_source_remove(m_cancelSource);
#endif
    Unregister();
}

void ModalHook::AnswerDialog(int id, int returnCode, std::function<void(wxDialog&)> fill)
{
    m_answers.push_back({Answer::Kind::Id, id, {}, returnCode, std::move(fill)});
}

void ModalHook::AnswerDialog(const wxString& name, int returnCode, std::function<void(wxDialog&)> fill)
{
    m_answers.push_back({Answer::Kind::Name, 0, name, returnCode, std::move(fill)});
}

void ModalHook::ShowAndCancel(const wxString& name)
{
    m_answers.push_back({Answer::Kind::ShowAndCancel, 0, name, wxID_NONE, {}});
}

void ModalHook::AnswerMessageBox(int returnCode)
{
    m_answers.push_back({Answer::Kind::MessageBox, 0, {}, returnCode, {}});
}

bool ModalHook::Matches(const Answer& answer, wxDialog& dialog) const
{
    const bool isMessageBox = dynamic_cast<wxMessageDialogBase*>(&dialog) != nullptr;
    switch (answer.kind) {
    case Answer::Kind::Id: return !isMessageBox && dialog.GetId() == answer.id;
    case Answer::Kind::Name:
    case Answer::Kind::ShowAndCancel: return !isMessageBox && dialog.GetName() == answer.name;
    case Answer::Kind::MessageBox: return isMessageBox;
    }
    return false;
}

void ModalHook::Record(wxDialog& dialog)
{
    ++m_count;
    m_texts.push_back(dialog.GetTitle());
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog)) {
        m_texts.push_back(box->GetMessage());
        if (!box->GetExtendedMessage().empty())
            m_texts.push_back(box->GetExtendedMessage());
    }
}

int ModalHook::Enter(wxDialog* dialog)
{
    if (!dialog)
        return wxID_NONE;
    // The toolkit's file chooser asks twice (its own ShowModal, then the
    // dialog's): the one let through to the screen stays let through.
    if (dialog == m_letThrough)
        return wxID_NONE;
    Record(*dialog);
    for (auto it = m_answers.begin(); it != m_answers.end(); ++it) {
        if (!Matches(*it, *dialog))
            continue;
        Answer answer = std::move(*it);
        m_answers.erase(it);
        if (answer.fill)
            answer.fill(*dialog);
        if (answer.kind == Answer::Kind::ShowAndCancel) {
#ifdef __WXGTK3__
            m_letThrough = dialog;
            CancelWhenShown(*dialog);
            return wxID_NONE;
#else
            return wxID_CANCEL;  // no toolkit chooser to drive: answered unseen
#endif
        }
        return answer.returnCode;
    }
    ++m_unexpected;
    return wxID_CANCEL;
}

#ifdef __WXGTK3__
void ModalHook::CancelWhenShown(wxDialog& dialog)
{
    // Polled on GTK's own loop, which runs inside the dialog's modal loop:
    // once the chooser has been on screen for a few turns (it has read its
    // folder), it gets the response its Cancel button sends.
    struct Poll {
        ModalHook* hook;
        GtkWidget* widget;
        int shownTurns = 0;
    };
    auto* poll = new Poll{this, dialog.m_widget};
    m_cancelSource = g_timeout_add_full(
        G_PRIORITY_DEFAULT, 20,
        [](gpointer data) -> gboolean {
            auto* p = static_cast<Poll*>(data);
            if (!gtk_widget_get_mapped(p->widget) || ++p->shownTurns < 15)
                return G_SOURCE_CONTINUE;
            p->hook->m_cancelSource = 0;
            gtk_dialog_response(GTK_DIALOG(p->widget), GTK_RESPONSE_CANCEL);
            return G_SOURCE_REMOVE;
        },
        poll, [](gpointer data) { delete static_cast<Poll*>(data); });
}
#endif

void ModalHook::Exit(wxDialog* dialog)
{
    if (dialog == m_letThrough)
        m_letThrough = nullptr;
#ifdef __WXGTK3__
    // A dialog that ended some other way is not answered later.
    if (m_cancelSource)
        g_source_remove(m_cancelSource);
    m_cancelSource = 0;
#endif
}

}  // namespace kmtest
