#include "ShellTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "model/project/Project.h"
#include "platform/TextConv.h"
#include "platform/Settings.h"
#include "shell/frame/MainFrame.h"
#include "document/KestrelMediaDoc.h"
#include "shell/KestrelMediaApp.h"
#include <cstdio>
#include <cstdlib>

namespace shelltest {

ResourceScope::ResourceScope()
    : m_library(CResourceLibrary::Load(KM_RES_DIR)), m_previous(GetCurrentResourceLibrary())
{
    SetCurrentResourceLibrary(m_library.get());
}

ResourceScope::~ResourceScope()
{
    SetCurrentResourceLibrary(m_previous);
}

void RecordingListener::OnMessage(const std::wstring& text, DWORD code)
{
    wchar_t hex[16];
    std::swprintf(hex, 16, L"%X", static_cast<unsigned>(code));
    Add(L"msg|" + std::wstring(hex) + L"|" + text);
}

std::vector<std::wstring> RecordingListener::Take()
{
    std::vector<std::wstring> out;
    out.swap(events);
    return out;
}

RunnerCounts FakeRunnerScope::counts;

namespace {
struct CountingRunner : IConversionRunner {
    CountingRunner() { ++FakeRunnerScope::counts.live; }
    ~CountingRunner() override { --FakeRunnerScope::counts.live; }
    HRESULT Init(LONG) override { return ++FakeRunnerScope::counts.inits, S_OK; }
    HRESULT Run(LONG, LONG, LONG, IMsgHandler* handler) override
    {
        ++FakeRunnerScope::counts.runs;
        FakeRunnerScope::counts.handler = handler;
        return FakeRunnerScope::counts.runResult;
    }
    HRESULT Pause() override { return ++FakeRunnerScope::counts.pauses, S_OK; }
    HRESULT Stop() override { return ++FakeRunnerScope::counts.stops, S_OK; }
    LONG GetState() override { return JOB_RUNNING; }
    HRESULT Wait(DWORD) override { return S_OK; }
    HRESULT GetResult() override { return S_OK; }
};
}

FakeRunnerScope::FakeRunnerScope() : m_saved(GetConversionRunnerFactory())
{
    counts = RunnerCounts{};
    SetConversionRunnerFactory(
        [](IConversionJob*) -> std::unique_ptr<IConversionRunner> { return std::make_unique<CountingRunner>(); });
}

FakeRunnerScope::~FakeRunnerScope()
{
    SetConversionRunnerFactory(m_saved);
}

std::filesystem::path TestFolder(const std::string& name)
{
    const char* base = std::getenv("KM_TEST_DIR");
    std::filesystem::path dir = std::filesystem::path(base ? base : "/tmp") / "shell" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::filesystem::path AddClipToConvert(CProject& project, const std::filesystem::path& dir)
{
    const std::filesystem::path clip = fixtures::WriteClip(dir / "a.mp4");
    project.InputFiles().AddFile(Utf8ToWide(clip.string()));
    project.GetVideoOutput()->is_create = 1;
    project.GetVideoOutput()->destination = Utf8ToWide((dir / "out").string());
    return clip;
}

bool StartProgram(CKestrelMediaApp& app, bool showMainWindow)
{
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    CKestrelMediaApp::StartupOptions options;
    options.resourceFolder = KM_RES_DIR;
    options.showSplash = false;
    options.showMainWindow = showMainWindow;
    return app.InitInstance(options);
}

void StopProgram(CKestrelMediaApp& app)
{
    if (app.GetDocument())
        app.GetDocument()->SetModifiedFlag(false);
    app.ExitInstance();
}

}  // namespace shelltest
