#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/job/run/OrderedReport.h"
#include "mediaeng/job/operations/OperationBatch.h"
#include "mediaeng/job/settings/OutputNamer.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <system_error>
#include <vector>
#include <pthread.h>

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {
double WeightOf(const CJobSource& s)
{
    if (s.virtualVideo) return std::max(s.virtualDuration, 0.1);
    double d = s.duration > 0 ? s.duration : 1.0;
    if (!s.ranges.empty()) {
        double kept = 0;
        for (const CTrimRange& r : s.ranges) kept += std::max<double>(0, double(std::min<int64_t>(r.end, int64_t(d * 1e7)) - r.start) / 1e7);
        d = std::max(kept, 0.1);
    }
    return d;
}
}  // namespace

CBatchRunner::CBatchRunner(IUnknown* keepAlive) : m_keepAlive(keepAlive) {}

CBatchRunner::~CBatchRunner()
{
    m_control.RequestStop();
    if (!m_worker.joinable()) return;
    if (std::this_thread::get_id() == m_workerId)
        m_worker.detach();  // released from inside its own final message: it touches nothing more
    else
        m_worker.join();
}

HRESULT CBatchRunner::Start(const CJobSettings& settings, IMsgHandler* handler)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (m_state == EBatchState::kRunning) return S_OK;
        if (m_state == EBatchState::kPaused) {
            m_state = EBatchState::kRunning;
            m_control.SetPaused(false);
            return S_OK;
        }
        if (m_running) return E_UNEXPECTED;  // the previous run is still ending
    }
    JoinWorker();
    m_settings = settings;
    m_control.Reset();
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_state = EBatchState::kRunning;
        m_running = true;
        m_result = S_OK;
    }
    if (handler) handler->AddRef();
    try {
        m_worker = std::thread([this, handler] { Work(handler); });
    } catch (...) {
        if (handler) handler->Release();
        std::lock_guard<std::mutex> lk(m_mutex);
        m_state = EBatchState::kIdle;
        m_running = false;
        return E_OUTOFMEMORY;
    }
    m_workerId = m_worker.get_id();
    return S_OK;
}

HRESULT CBatchRunner::Pause()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_state != EBatchState::kRunning) return S_FALSE;
    m_state = EBatchState::kPaused;
    m_control.SetPaused(true);
    return S_OK;
}

HRESULT CBatchRunner::Stop()
{
    m_control.RequestStop();
    if (std::this_thread::get_id() != m_workerId) JoinWorker();
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_state != EBatchState::kDone) m_state = EBatchState::kIdle;
    return S_OK;
}

void CBatchRunner::JoinWorker()
{
    if (m_worker.joinable() && std::this_thread::get_id() != m_workerId) m_worker.join();
}

EBatchState CBatchRunner::State() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_state;
}

HRESULT CBatchRunner::Wait(unsigned ms)
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return m_ended.wait_for(lk, std::chrono::milliseconds(ms), [&] { return !m_running; }) ? S_OK : S_FALSE;
}

HRESULT CBatchRunner::Result() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_result;
}

unsigned CBatchRunner::FilesAtOnce(size_t files)
{
    // One file keeps a little over half of the cores busy (the encoder's and
    // decoder's threads wait on each other); a second one fills the rest.
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned lanes = cores >= 12 ? 3 : cores >= 4 ? 2 : 1;
    return unsigned(std::min<size_t>(lanes, std::max<size_t>(files, 1)));
}

bool CBatchRunner::ConvertOne(size_t index, const fs::path& target, IFrameEditStage& edit, COrderedReport& report,
                              bool& stopped)
{
    const CJobSource& source = m_settings.sources[index];
    CFileTranscoder transcoder(source, m_settings.output, edit, m_control);
    const CTranscodeResult r = transcoder.Run(target, [&](double fileShare) { report.Progress(index, fileShare); });
    for (const std::wstring& w : r.warnings) report.Warning(index, source.path, w);
    for (const CSourceWarning& w : r.sourceWarnings) report.Warning(index, w.source, w.text);
    stopped = r.stopped;
    if (r.stopped) return false;
    if (r.ok && !r.sourceWarnings.empty()) ++m_shortened;
    if (r.ok)
        report.Saved(index, Utf8ToWide(target.string()));
    else
        report.Error(index, source.path, Utf8ToWide(r.error));
    return r.ok;
}

int CBatchRunner::ConvertPlain(const CJobMessages& msg)
{
    const std::vector<CJobSource>& sources = m_settings.sources;
    std::vector<double> weights;
    for (const CJobSource& s : sources) weights.push_back(WeightOf(s));
    COrderedReport report(msg, weights);
    COutputNamer namer(m_settings.output.naming, m_settings.output.extension, std::time(nullptr));
    const unsigned lanes = FilesAtOnce(sources.size());

    // Files are named, given their edit stage and started in order on this
    // thread, which also sends every message; each file runs on a thread of
    // its own, at most `lanes` at a time. busy changes before the report's
    // End, which wakes the pump.
    std::atomic<unsigned> busy{0};
    std::atomic<int> converted{0};
    std::vector<std::thread> threads;
    for (size_t i = 0; i < sources.size(); ++i) {
        report.Pump([&] { return busy < lanes; });
        if (!m_control.Checkpoint()) break;  // a pause holds the next file back too
        const CJobSource& source = sources[i];
        report.Start(i, source.path);
        std::wstring warning;
        const fs::path target = namer.MakeName(NamingPathOf(source.path), int(i), &warning);
        if (!warning.empty()) report.Warning(i, source.path, warning);
        std::unique_ptr<IFrameEditStage> edit = m_editFactory ? m_editFactory() : nullptr;
        if (!edit) edit = std::make_unique<CPassThroughEdit>();
        ++busy;
        auto run = [&, i, target, stage = std::shared_ptr<IFrameEditStage>(std::move(edit))]() mutable {
            bool stopped = false;
            const bool ok = ConvertOne(i, target, *stage, report, stopped);
            stage.reset();
            if (ok) ++converted;
            --busy;
            report.End(i, stopped);
        };
        try {
            threads.emplace_back([run, i]() mutable {
                const std::string name = "km-convert-" + std::to_string(i % 100);
                pthread_setname_np(pthread_self(), name.c_str());
                run();
            });
        } catch (const std::system_error&) {
            run();  // no thread to be had: this file on the worker itself
        }
    }
    report.Pump([&] { return busy == 0; });
    for (std::thread& t : threads) t.join();
    return converted;
}

void CBatchRunner::Work(IMsgHandler* handler)
{
    pthread_setname_np(pthread_self(), "km-convert");
    CJobMessages msg(handler);
    msg.BatchStart();
    msg.Progress(0);
    m_shortened = 0;
    int converted = 0, expected = int(m_settings.sources.size());
    if (COperationBatch::Needed(m_settings)) {
        COperationBatch batch(m_settings, m_control, m_editFactory, msg);
        batch.Run(converted, expected);
        m_shortened = batch.Shortened();
    } else
        converted = ConvertPlain(msg);
    // Sources refused before the run count in the total: a batch with files
    // left out is not a plain success.
    expected += std::max(0, m_settings.leftOut);
    const bool stopped = m_control.IsStopped();
    if (!stopped) msg.Progress(1.0);

    // The last message may make the handler release our owner: keep it alive
    // until the state is final, and touch nothing after that.
    IUnknown* keep = m_keepAlive;
    if (keep) keep->AddRef();
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_state = stopped ? EBatchState::kIdle : EBatchState::kDone;
        m_result = stopped ? E_ABORT : converted == expected && m_shortened == 0 ? S_OK : S_FALSE;
    }
    if (stopped)
        msg.Aborted();
    else
        msg.Finished(converted, expected, m_shortened);
    // The handler is released before the end is signalled: a caller that
    // waits for the end may free it at once.
    if (handler) handler->Release();
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_running = false;
        m_ended.notify_all();
    }
    if (keep) keep->Release();
}

}  // namespace mediaeng::job
