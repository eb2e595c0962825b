// The window stays responsive while a batch converts: a batch of generated
// clips is converted from the conversion page while a worker thread adds
// 10,000 log lines, and a 10-ms heartbeat timer on the window thread records
// its longest gap. The same batch is then converted by the project alone, with
// no window, for the conversion time beside it.
// Run with a display, e.g.: xvfb-run -a build/release/bench/convert_view_stall [clips]
#include "WindowBench.h"
#include "controls/ids/CommandIds.h"
#include "engine/MsgMng.h"
#include "fixtures/MediaFixtures.h"
#include "model/project/Project.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The "finished" message box is answered at once.
class CAnswerOk : public wxModalDialogHook {
protected:
    int Enter(wxDialog*) override { return wxID_OK; }
    void Exit(wxDialog*) override {}
};

// Ignores the engine's messages of the run without a window.
class CQuietHandler final : public IMsgHandler {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t*, DWORD) override { return S_OK; }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
};

// The files a run left in its folder.
long Outputs(const fs::path& folder)
{
    std::error_code ec;
    long n = 0;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) n += it->is_regular_file();
    return n;
}

void SetVideoOutput(CProject& project, const fs::path& destination)
{
    CVideoFileObj* video = project.GetVideoOutput();
    video->SetValue(L"is_create", CVariant(int32_t{1}));
    video->SetValue(L"file_format", CVariant(int32_t{13}));  // MP4
    video->SetValue(L"destination", CVariant(Utf8ToWide(destination.string())));
    video->SetValue(L"file_name", CVariant(L"*.*"));
}

void AddSources(CProject& project, const std::vector<fs::path>& clips)
{
    project.m_sourceType = CParametersTransfer::kSourceFiles;
    for (const fs::path& clip : clips) project.InputFiles().AddFile(Utf8ToWide(clip.string()));
}

double ConvertWithoutWindow(const std::vector<fs::path>& clips, const fs::path& out)
{
    CQuietHandler handler;
    IMsgHandler* previous = __SetMessageHandler(&handler);
    double seconds = -1;
    {
        CProject project;
        AddSources(project, clips);
        SetVideoOutput(project, out);
        const Clock::time_point start = Clock::now();
        if (project.Run() == S_OK && project.m_job && project.m_job->Wait(600000) == S_OK)
            seconds = Seconds(Clock::now() - start);
        project.Stop();
    }
    __SetMessageHandler(previous);
    return seconds;
}

struct WindowFigures {
    double seconds = -1;
    double startMs = 0;  // the start command itself: the job is prepared on the window thread
    double longestStallMs = 0;
};

// Kept past the application object, which wxEntry deletes.
WindowFigures g_figures;

class CStallApp : public wxApp {
public:
    CStallApp(std::vector<fs::path> clips, fs::path out) : m_clips(std::move(clips)), m_out(std::move(out)) {}

    bool OnInit() override
    {
        if (!bench::StartWindowProgram(m_app)) return false;
        m_hook.Register();
        CallAfter([this] { Start(); });
        return true;
    }

    int OnExit() override
    {
        g_figures = m_figures;
        m_hook.Unregister();
        bench::StopWindowProgram(m_app);
        return wxApp::OnExit();
    }

private:
    void Start()
    {
        auto* frame = dynamic_cast<CMainFrame*>(m_app.GetMainFrame());
        CProject& project = *m_app.GetDocument()->GetProject();
        AddSources(project, m_clips);
        SetVideoOutput(project, m_out);
        m_view = dynamic_cast<CConvertView*>(frame->FindMainView(kPageConversion));
        m_heartbeat.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Beat(); });
        m_start = Clock::now();
        frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon);
        m_figures.startMs = Seconds(Clock::now() - m_start) * 1000.0;
        m_lastBeat = Clock::now();
        m_heartbeat.Start(10);
        m_logger = std::thread([] {
            IMsgHandler* handler = __GetMessageHandler();
            for (int i = 0; i < 10000 && handler; ++i) handler->OnTextMessage(L"a line of the log from the engine", 0);
        });
    }

    void Beat()
    {
        const Clock::time_point now = Clock::now();
        m_figures.longestStallMs = std::max(m_figures.longestStallMs, Seconds(now - m_lastBeat) * 1000.0);
        m_lastBeat = now;
        if (m_view && m_view->IsFinished() && m_figures.seconds < 0) {
            m_figures.seconds = Seconds(now - m_start);
            m_heartbeat.Stop();
            if (m_logger.joinable()) m_logger.join();
            ExitMainLoop();
        }
    }

    CKestrelMediaApp m_app;
    CAnswerOk m_hook;
    std::vector<fs::path> m_clips;
    fs::path m_out;
    CConvertView* m_view = nullptr;
    wxTimer m_heartbeat;
    Clock::time_point m_lastBeat;
    Clock::time_point m_start;
    std::thread m_logger;
    WindowFigures m_figures;
};

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 8;
    const fs::path dir = fs::temp_directory_path() / ("km-bench-stall-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    setenv("KM_SETTINGS_FILE", (dir / "settings.ini").c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    setenv("XDG_DATA_HOME", dir.c_str(), 1);

    const fixtures::ClipDesc desc{.width = 640, .height = 360, .seconds = 3, .noise = 20};
    std::printf("generating %d clips of 3 s 640x360...\n", count);
    std::vector<fs::path> clips;
    for (int i = 0; i < count; ++i) {
        clips.push_back(fixtures::WriteClip(dir / "src" / ("clip" + std::to_string(i) + ".avi"), desc));
        if (clips.back().empty()) return std::fprintf(stderr, "could not write a clip\n"), 1;
    }

    // A first run without a window warms the file cache and the codecs for both figures.
    CoInitialize();
    if (ConvertWithoutWindow(clips, dir / "warm") < 0) return std::fprintf(stderr, "a conversion failed\n"), 1;

    auto* app = new CStallApp(clips, dir / "window");
    wxApp::SetInstance(app);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (wxEntry(wxArgc, wxArgv) != 0) return std::fprintf(stderr, "the window run failed (is there a display?)\n"), 1;
    // wxEntry has deleted the application object; its figures were copied at exit.
    const WindowFigures window = g_figures;
    const double alone = ConvertWithoutWindow(clips, dir / "alone");
    const long written = Outputs(dir / "window"), writtenAlone = Outputs(dir / "alone");
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (window.seconds < 0 || alone < 0) return std::fprintf(stderr, "a conversion failed\n"), 1;
    if (written != count || writtenAlone != count)
        return std::fprintf(stderr, "FAILED: %ld and %ld of %d clips converted\n", written, writtenAlone, count), 1;
    std::printf("batch of %d clips with 10,000 log lines\n", count);
    std::printf("  the start command (sources opened):  %6.1f ms\n", window.startMs);
    std::printf("  longest stall of the window thread: %6.1f ms while converting (goal under 50 ms)\n",
                window.longestStallMs);
    std::printf("  conversion from the page:           %6.2f s\n", window.seconds);
    std::printf("  the same batch without a window:    %6.2f s  (page %.2fx)\n", alone, window.seconds / alone);
    return 0;
}
