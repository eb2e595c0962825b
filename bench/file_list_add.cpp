// Adding many files to the source list: 1,000 small generated clips handed to
// the file page at once, timed to a filled list and an idle window thread,
// beside 1,000 bare probes of the same files by the engine's media source.
// Run with a display, e.g.: xvfb-run -a build/release/bench/file_list_add [count]
#include "WindowBench.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/MediaFixtures.h"
#include "platform/ClassRegistry.h"
#include "shell/KestrelMediaApp.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/SourceTypeFileView.h"
#include <wx/app.h>
#include <wx/listctrl.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

bool ProbeBare(const fs::path& file)
{
    ComPtr<IEngineNode> source;
    if (FAILED(CoCreate(CLSID_MediaSource, source))) return false;
    source->SetValue(L"FileName", CVariant(file.wstring()));
    return source.As<IMediaSourceGraph>()->Open(nullptr) == S_OK;
}

double g_listSeconds = -1;
long g_rows = 0;

class CListApp : public wxApp {
public:
    explicit CListApp(std::vector<std::wstring> files) : m_files(std::move(files)) {}

    bool OnInit() override
    {
        if (!bench::StartWindowProgram(m_app)) return false;
        CallAfter([this] { Add(); });
        return true;
    }

    int OnExit() override
    {
        bench::StopWindowProgram(m_app);
        return wxApp::OnExit();
    }

private:
    void Add()
    {
        auto* frame = dynamic_cast<CMainFrame*>(m_app.GetMainFrame());
        m_view = frame ? dynamic_cast<CSourceTypeFileView*>(frame->FindMainView(kPageFiles)) : nullptr;
        if (!m_view) {
            ExitMainLoop();
            return;
        }
        m_start = Clock::now();
        m_view->AddFiles(m_files);
        Bind(wxEVT_IDLE, &CListApp::OnIdleAfterAdd, this);
    }

    // The first idle moment after the rows went in: the list is filled and
    // nothing is left in the queue.
    void OnIdleAfterAdd(wxIdleEvent&)
    {
        if (Pending()) return;
        g_listSeconds = Seconds(Clock::now() - m_start);
        g_rows = m_view->GetList()->GetItemCount();
        Unbind(wxEVT_IDLE, &CListApp::OnIdleAfterAdd, this);
        ExitMainLoop();
    }

    CKestrelMediaApp m_app;
    std::vector<std::wstring> m_files;
    CSourceTypeFileView* m_view = nullptr;
    Clock::time_point m_start;
};

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const fs::path dir = fs::temp_directory_path() / ("km-bench-list-" + std::to_string(::getpid()));
    fs::create_directories(dir / "src");
    setenv("KM_SETTINGS_FILE", (dir / "settings.ini").c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    setenv("XDG_DATA_HOME", dir.c_str(), 1);

    fixtures::ClipDesc desc;
    desc.seconds = 0.4;
    std::printf("generating %d clips...\n", count);
    std::vector<fs::path> clips;
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) {
        const fs::path clip = fixtures::WriteClip(dir / "src" / ("clip" + std::to_string(i) + ".mp4"), desc);
        if (clip.empty()) return std::fprintf(stderr, "could not write a clip\n"), 1;
        clips.push_back(clip);
        names.push_back(clip.wstring());
    }

    CoInitialize();
    const Clock::time_point start = Clock::now();
    int probed = 0;
    for (const fs::path& clip : clips) probed += ProbeBare(clip) ? 1 : 0;
    const double bare = Seconds(Clock::now() - start);

    wxApp::SetInstance(new CListApp(names));
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    const int rc = wxEntry(wxArgc, wxArgv);
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (rc != 0 || g_listSeconds < 0) return std::fprintf(stderr, "the window run failed (is there a display?)\n"), 1;
    if (probed != count || g_rows != count)
        return std::fprintf(stderr, "FAILED: %d of %d files probed, %ld rows listed\n", probed, count, g_rows), 1;
    std::printf("%d files added to the source list (%ld rows; %d probed bare)\n", count, g_rows, probed);
    std::printf("  filled, idle list:  %7.3f s  (%.2fx)\n", g_listSeconds, g_listSeconds / bare);
    std::printf("  bare probes:        %7.3f s\n", bare);
    return 0;
}
