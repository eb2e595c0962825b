#pragma once
// A shown frame holding one editor window over a generated picture that the
// program's player reads, and synthetic mouse and key events sent straight to
// the window (the pointer never moves).
#include "controls/ResTestLibrary.h"
#include "fixtures/MediaFixtures.h"
#include "fixtures/TestEnvironment.h"
#include "model/source/KMFile.h"
#include "player/Player.h"
#include "wx/WxTestSupport.h"
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>

namespace edtest {

// The player's posts are not needed: a picture is read at once.
class DroppingPoster : public IUiPoster {
public:
    void Post(std::function<void()>) override {}
};

// A picture entry of w x h (the test pattern with counter 0: black above,
// red and blue below), opened as the program opens sources.
inline CKMFilePtr OpenPicture(const std::string& name, int w, int h)
{
    const auto path = fixtures::WritePicture(kmtest::TestDir() / name, w, h);
    CKMFilePtr entry = CKMFile::Create(path.wstring(), 0);
    EXPECT_EQ(entry->OpenMediaSource(path.wstring()), S_OK);
    return entry;
}

template <class Editor>
class EditorWindow {
public:
    // The editor fills a client area of size; the picture is fitted into it.
    EditorWindow(wxSize size, CKMFile* entry)
    {
        CPlayer::SetInstance(&m_player);
        frame = new wxFrame(nullptr, wxID_ANY, "editor", wxDefaultPosition, size + wxSize(40, 40));
        // A frame sizes a lone child to its client area: the panel takes that.
        auto* panel = new wxPanel(frame);
        editor = new Editor;
        EXPECT_TRUE(editor->Create(panel));
        editor->SetSize(0, 0, size.x, size.y);
        frame->Show();
        editor->SetItem(entry);
    }
    ~EditorWindow()
    {
        delete frame;
        CPlayer::SetInstance(nullptr);
    }
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Paints until the picture is shown and placed.
    bool Shown()
    {
        return kmtest::PumpUntil([&] {
            editor->Refresh(false);
            editor->Update();
            return editor->ShownPicture().IsOk();
        });
    }
    void Mouse(wxEventType type, wxPoint at)
    {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(editor);
        editor->ProcessWindowEvent(event);
    }
    void Drag(wxPoint from, wxPoint to)
    {
        Mouse(wxEVT_LEFT_DOWN, from);
        Mouse(wxEVT_MOTION, from + (to - from) / 2);
        Mouse(wxEVT_MOTION, to);
        Mouse(wxEVT_LEFT_UP, to);
    }
    void Key(int code)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = code;
        event.SetEventObject(editor);
        editor->ProcessWindowEvent(event);
    }
    wxImage Paint() { return kmtest::PaintToImage(*editor); }

    wxFrame* frame = nullptr;
    Editor* editor = nullptr;

private:
    ResTestLibrary m_res;  // the frame and handle pictures
    DroppingPoster m_poster;
    CPlayer m_player{m_poster};
};

}  // namespace edtest
