#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/run/JobMessages.h"
#include "mediaeng/job/operations/OperationBatch.h"
#include "mediaeng/job/settings/OutputNamer.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <chrono>
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

bool CBatchRunner::ConvertOne(size_t index, COutputNamer& namer, CJobMessages& msg, double doneBefore,
                              double totalWeight)
{
    const CJobSource& source = m_settings.sources[index];
    msg.FileStart(source.path);
    const fs::path sourcePath = NamingPathOf(source.path);
    std::wstring warning;
    const fs::path target = namer.MakeName(sourcePath, int(index), &warning);
    if (!warning.empty()) msg.FileWarning(source.path, warning);

    std::unique_ptr<IFrameEditStage> edit = m_editFactory ? m_editFactory() : nullptr;
    if (!edit) edit = std::make_unique<CPassThroughEdit>();
    CFileTranscoder transcoder(source, m_settings.output, *edit, m_control);
    const double weight = WeightOf(source);
    double lastShare = -1;
    const CTranscodeResult r = transcoder.Run(target, [&](double fileShare) {
        const double share = (doneBefore + fileShare * weight) / totalWeight;
        if (share - lastShare >= 0.005) {
            lastShare = share;
            msg.Progress(share);
        }
    });
    for (const std::wstring& w : r.warnings) msg.FileWarning(source.path, w);
    for (const CSourceWarning& w : r.sourceWarnings) msg.FileWarning(w.source, w.text);
    if (r.stopped) return false;
    if (!r.ok) {
        msg.FileError(source.path, Utf8ToWide(r.error));
        return false;
    }
    if (!r.sourceWarnings.empty()) ++m_shortened;
    msg.FileSaved(Utf8ToWide(target.string()));
    return true;
}

void CBatchRunner::Work(IMsgHandler* handler)
{
    pthread_setname_np(pthread_self(), "km-convert");
    CJobMessages msg(handler);
    msg.BatchStart();
    msg.Progress(0);
    COutputNamer namer(m_settings.output.naming, m_settings.output.extension, std::time(nullptr));
    double total = 0;
    for (const CJobSource& s : m_settings.sources) total += WeightOf(s);
    if (total <= 0) total = 1;

    m_shortened = 0;
    int converted = 0, expected = int(m_settings.sources.size());
    double done = 0;
    if (COperationBatch::Needed(m_settings)) {
        COperationBatch(m_settings, m_control, m_editFactory, msg).Run(converted, expected);
    } else {
        for (size_t i = 0; i < m_settings.sources.size() && !m_control.IsStopped(); ++i) {
            if (ConvertOne(i, namer, msg, done, total)) ++converted;
            done += WeightOf(m_settings.sources[i]);
        }
    }
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
