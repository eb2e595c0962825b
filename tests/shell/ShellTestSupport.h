#pragma once
// Doubles for the shell's logic tests: the built resource library, a clock
// the test moves, a listener that records what it hears, a queue that stands
// for the user-interface thread, and a conversion runner that only counts.
#include "engine/ConversionJob.h"
#include "platform/ResourceLibrary.h"
#include "document/MessageMngHandler.h"
#include "document/RunClock.h"
#include "fixtures/QueuePoster.h"
#include "player/UiPoster.h"
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CKestrelMediaApp;
class CProject;

namespace shelltest {

// Installs the built res/ for the scope.
class ResourceScope {
public:
    ResourceScope();
    ~ResourceScope();

private:
    std::unique_ptr<CResourceLibrary> m_library;
    CResourceLibrary* m_previous;
};

class FakeClock : public IRunClock {
public:
    uint32_t GetTickCount() override { return tick; }
    std::tm GetLocalTime() override { return local; }
    uint32_t tick = 1000;
    std::tm local{};
};

// "msg|<code hex>|<text>", "range|n", "pos|n", "clear", "done|n", "aborted",
// "finished", "current".
class RecordingListener : public IMessageMngHandler {
public:
    void OnMessage(const std::wstring& text, DWORD code) override;
    void SetProgressRange(int range) override { Add(L"range|" + std::to_wstring(range)); }
    void SetProgressPos(int pos) override { Add(L"pos|" + std::to_wstring(pos)); }
    void ClearMessages() override { Add(L"clear"); }
    void SetFilesDone(int count) override { Add(L"done|" + std::to_wstring(count)); }
    void OnAborted() override { Add(L"aborted"); }
    void OnFinished() override { Add(L"finished"); }
    void OnCurrentFileChanged() override { Add(L"current"); }

    void Add(std::wstring event) { events.push_back(std::move(event)); }
    std::vector<std::wstring> Take();
    std::vector<std::wstring> events;
};

using QueuePoster = kmtest::CQueuePoster;

// While it lives every conversion job runs this counting runner.
struct RunnerCounts {
    int inits = 0, runs = 0, pauses = 0, stops = 0, live = 0;
    HRESULT runResult = S_OK;
    IMsgHandler* handler = nullptr;
};
class FakeRunnerScope {
public:
    FakeRunnerScope();
    ~FakeRunnerScope();
    static RunnerCounts counts;

private:
    ConversionRunnerFactory m_saved;
};

// Starts the program as a test uses it: the main frame, the built resource
// folder, no splash, no update check. False when it did not start.
bool StartProgram(CKestrelMediaApp& app, bool showMainWindow = true);
// Ends what StartProgram started, without asking to save.
void StopProgram(CKestrelMediaApp& app);

// A private folder for one test.
std::filesystem::path TestFolder(const std::string& name);

// Adds a clip generated as dir/a.mp4 to the project and turns the video
// output on into dir/out, so a start makes a real job. Returns the clip,
// empty when it could not be written.
std::filesystem::path AddClipToConvert(CProject& project, const std::filesystem::path& dir);

}  // namespace shelltest
