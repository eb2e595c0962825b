#include "WxTestSupport.h"
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
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

// ---------------------------------------------------------------- ModalHook

ModalHook::ModalHook()
{
    Register();
}

ModalHook::~ModalHook()
{
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

void ModalHook::AnswerMessageBox(int returnCode)
{
    m_answers.push_back({Answer::Kind::MessageBox, 0, {}, returnCode, {}});
}

bool ModalHook::Matches(const Answer& answer, wxDialog& dialog) const
{
    const bool isMessageBox = dynamic_cast<wxMessageDialogBase*>(&dialog) != nullptr;
    switch (answer.kind) {
    case Answer::Kind::Id: return !isMessageBox && dialog.GetId() == answer.id;
    case Answer::Kind::Name: return !isMessageBox && dialog.GetName() == answer.name;
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
    Record(*dialog);
    for (auto it = m_answers.begin(); it != m_answers.end(); ++it) {
        if (!Matches(*it, *dialog))
            continue;
        Answer answer = std::move(*it);
        m_answers.erase(it);
        if (answer.fill)
            answer.fill(*dialog);
        return answer.returnCode;
    }
    ++m_unexpected;
    return wxID_CANCEL;
}

void ModalHook::Exit(wxDialog*)
{
}

}  // namespace kmtest
