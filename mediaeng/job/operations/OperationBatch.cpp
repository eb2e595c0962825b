#include "mediaeng/job/operations/OperationBatch.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/operations/ImageOutput.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/operations/JoinRunner.h"
#include "mediaeng/job/settings/NumberedNaming.h"
#include "mediaeng/job/settings/OutputNamer.h"
#include "mediaeng/job/operations/SourceSeconds.h"
#include "mediaeng/job/operations/SplitRunner.h"
#include "mediaeng/job/operations/StreamCopy.h"
#include "platform/TextConv.h"
#include <algorithm>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {
// The length of one picture of the source (0 when it has none).
double FrameSeconds(const CJobSource& source)
{
    CJobInput in;
    std::string error;
    if (!in.Open(WideToUtf8(source.path), error) || avformat_find_stream_info(in.get(), nullptr) < 0) return 0;
    for (unsigned i = 0; i < in->nb_streams; ++i)
        if (in->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            const AVRational r = av_guess_frame_rate(in.get(), in->streams[i], nullptr);
            return r.num > 0 && r.den > 0 ? av_q2d(av_inv_q(r)) : 0;
        }
    return 0;
}
}  // namespace

COperationBatch::COperationBatch(const CJobSettings& settings, CRunControl& control, EditFactory editFactory,
                                 CJobMessages& msg)
    : m_settings(settings), m_control(control), m_editFactory(std::move(editFactory)), m_msg(msg),
      m_runStart(std::time(nullptr))
{
}

COperationBatch::~COperationBatch() = default;

bool COperationBatch::Needed(const CJobSettings& settings)
{
    if (!settings.operations.IsPlain()) return true;
    return std::any_of(settings.sources.begin(), settings.sources.end(),
                       [](const CJobSource& s) { return s.addToJoin; });
}

std::unique_ptr<IFrameEditStage> COperationBatch::MakeEdit() const
{
    std::unique_ptr<IFrameEditStage> edit = m_editFactory ? m_editFactory() : nullptr;
    if (!edit) edit = std::make_unique<CPassThroughEdit>();
    return edit;
}

COutputNamer& COperationBatch::NamerFor(const CJobSource& source, bool numbered)
{
    std::wstring ext = m_settings.output.extension;
    if (m_settings.operations.streamCopy) {
        std::string muxer;
        CStreamCopy::ContainerOf(source.path, muxer, ext);
    }
    std::unique_ptr<COutputNamer>& namer = m_namers[ext + (numbered ? L"#n" : L"")];
    if (!namer) {
        const CNamingSettings naming = numbered ? NumberedNaming(m_settings.output.naming) : m_settings.output.naming;
        namer = std::make_unique<COutputNamer>(naming, ext, m_runStart);
    }
    return *namer;
}

void COperationBatch::Progress(double share)
{
    // The bar only moves forward, and only by visible steps.
    share = std::min(1.0, share);
    if (share < m_lastProgress + 0.005) return;
    m_lastProgress = share;
    m_msg.Progress(share);
}

CTranscodeResult COperationBatch::WritePart(const CJobSource& part, const fs::path& target)
{
    if (m_settings.operations.streamCopy) return CStreamCopy(m_control).Run({part}, target);
    std::unique_ptr<IFrameEditStage> edit = MakeEdit();
    CFileTranscoder transcoder(part, m_settings.output, *edit, m_control);
    return transcoder.Run(target, [&](double s) { Progress((m_done + m_partFrom + s * m_partSpan) / m_total); });
}

void COperationBatch::Report(const CJobSource& source, const CTranscodeResult& r, const fs::path& target)
{
    for (const std::wstring& w : r.warnings) m_msg.FileWarning(source.path, w);
    for (const CSourceWarning& w : r.sourceWarnings) m_msg.FileWarning(w.source, w.text);
    if (r.stopped) return;
    if (!r.ok) {
        m_msg.FileError(source.path, Utf8ToWide(r.error));
        return;
    }
    m_msg.FileSaved(Utf8ToWide(target.string()));
    if (!r.sourceWarnings.empty()) ++m_shortened;
}

bool COperationBatch::Single(const CJobSource& source, int index)
{
    m_msg.FileStart(source.path);
    std::wstring warning;
    const fs::path target = m_names.Take(NamerFor(source, false), NamingPathOf(source.path), index, &warning);
    if (!warning.empty()) m_msg.FileWarning(source.path, warning);
    const CTranscodeResult r = WritePart(source, target);
    Report(source, r, target);
    return r.ok;
}

bool COperationBatch::Split(const CJobSource& source, int index)
{
    m_msg.FileStart(source.path);
    const double duration = SourceSeconds(source);
    if (duration <= 0) {
        m_msg.FileError(source.path, EngineText(text::kLengthUnknownNoSplit));
        return false;
    }
    if (!source.ranges.empty())
        m_msg.FileWarning(source.path, EngineText(text::kTrimNotWhileSplit));
    CJobSource whole = source;
    whole.ranges.clear();
    double rate = 0;
    if (m_settings.operations.streamCopy) {
        std::error_code ec;
        const auto size = fs::file_size(fs::path(WideToUtf8(source.path)), ec);
        rate = ec ? 1e6 : double(size) / duration;
    } else {
        const CJobOutput& o = m_settings.output;
        rate = ((o.video.enabled ? o.video.bitrateKbps : 0) + (o.audio.enabled ? o.audio.bitrateKbps : 0)) * 125.0;
    }
    COutputNamer& namer = NamerFor(source, true);
    CSplitRunner runner(m_settings.operations.split,
                        [&](const CJobSource& part, const fs::path& target) {
                            if (!part.ranges.empty()) {
                                m_partFrom = std::min(1.0, double(part.ranges.front().start) / 1e7 / duration);
                                m_partSpan = std::min(1.0, part.duration / duration);
                            }
                            return WritePart(part, target);
                        },
                        rate);
    if (!m_settings.operations.streamCopy) runner.SetFrameGrid(FrameSeconds(source));
    const CSplitOutcome out = runner.Run(whole, duration, [&] {
        std::wstring warning;
        return m_names.Take(namer, NamingPathOf(source.path), index, &warning);
    });
    for (const std::wstring& w : out.warnings) m_msg.FileWarning(source.path, w);
    m_partFrom = 0;
    m_partSpan = 1;
    for (const fs::path& p : out.written) m_msg.FileSaved(Utf8ToWide(p.string()));
    if (!out.error.empty()) m_msg.FileError(source.path, Utf8ToWide(out.error));
    const bool ok = out.error.empty() && !out.stopped;
    if (ok && out.sourceEndedEarly) ++m_shortened;
    return ok;
}

bool COperationBatch::Join(const std::vector<CJobSource>& sources, int index)
{
    const CJobSource& first = sources.front();
    for (const CJobSource& s : sources) m_msg.FileStart(s.path);
    std::wstring warning;
    const fs::path target = m_names.Take(NamerFor(first, false), NamingPathOf(first.path), index, &warning);
    if (!warning.empty()) m_msg.FileWarning(first.path, warning);
    CTranscodeResult r;
    if (m_settings.operations.streamCopy) {
        r = CStreamCopy(m_control).Run(sources, target, [&](double s) { Progress((m_done + s) / m_total); });
    } else {
        CJoinRunner join(m_settings.output, m_settings.operations.join, m_control, [this] { return MakeEdit(); });
        r = join.Run(sources, target, [&](double s) { Progress((m_done + s * double(sources.size())) / m_total); });
    }
    Report(first, r, target);
    return r.ok;
}

void COperationBatch::Run(int& succeeded, int& total)
{
    succeeded = total = 0;
    m_shortened = 0;
    const std::vector<CJobSource>& sources = m_settings.sources;
    m_total = std::max<double>(1, double(sources.size()));
    m_done = 0;
    if (m_settings.operations.image.enabled) {
        CImageOutput images(m_settings, m_control, [this] { return MakeEdit(); }, m_msg, m_runStart);
        images.Run(succeeded, total);
        return;
    }
    if (m_settings.operations.join.use) {
        total = 1;
        if (!sources.empty() && Join(sources, 0)) succeeded = 1;
        return;
    }
    std::vector<CJobSource> titles;
    for (const CJobSource& s : sources)
        if (s.addToJoin) titles.push_back(s);
    for (size_t i = 0; i < sources.size() && !m_control.IsStopped(); ++i) {
        const CJobSource& s = sources[i];
        if (s.addToJoin) {
            if (&s != &*std::find_if(sources.begin(), sources.end(), [](const CJobSource& x) { return x.addToJoin; }))
                continue;  // joined with the first marked title
            ++total;
            succeeded += Join(titles, int(i)) ? 1 : 0;
            m_done += double(titles.size());
            continue;
        }
        ++total;
        // A still picture shown as a clip is not cut: it has nothing to divide.
        const bool split = m_settings.operations.split.use && !s.virtualVideo;
        succeeded += (split ? Split(s, int(i)) : Single(s, int(i))) ? 1 : 0;
        m_done += 1;
        Progress(m_done / m_total);
    }
}

}  // namespace mediaeng::job
