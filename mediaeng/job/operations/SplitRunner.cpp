#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/operations/SplitRunner.h"
#include <algorithm>
#include <cmath>

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {
constexpr int kSizeAttempts = 6;
constexpr double kMinSizePart = 0.2;  // seconds; below this a part cannot shrink further
}  // namespace

bool CSplitRunner::WritePart(const CJobSource& source, const CPart& part, const fs::path& target,
                             CSplitOutcome& outcome)
{
    CJobSource cut = source;
    cut.ranges = {{std::llround(part.start * 1e7), std::llround(part.end * 1e7)}};
    cut.duration = part.end - part.start;
    CTranscodeResult r = m_writer(cut, target);
    for (std::wstring& w : r.warnings) outcome.warnings.push_back(std::move(w));
    if (!r.sourceWarnings.empty()) outcome.sourceEndedEarly = true;
    for (CSourceWarning& w : r.sourceWarnings) outcome.warnings.push_back(std::move(w.text));  // the one source split
    outcome.stopped = r.stopped;
    if (!r.ok && !r.stopped) outcome.error = r.error.empty() ? EngineTextUtf8(text::kPartNotWritten) : r.error;
    return r.ok;
}

CSplitOutcome CSplitRunner::Run(const CJobSource& source, double duration,
                                const std::function<fs::path()>& nextName)
{
    if (m_settings.type == kSplitBySize) return RunBySize(source, duration, nextName);
    CSplitOutcome outcome;
    std::vector<CPart> parts = PlanSplit(m_settings, duration);
    if (m_grid > 0)
        for (CPart& p : parts) {
            p.start = std::round(p.start / m_grid) * m_grid;
            if (p.end < duration) p.end = std::round(p.end / m_grid) * m_grid;
        }
    if (parts.empty()) outcome.error = EngineTextUtf8(text::kNothingToSplit);
    for (const CPart& part : parts) {
        const fs::path target = nextName();
        if (!WritePart(source, part, target, outcome)) break;
        outcome.written.push_back(target);
    }
    return outcome;
}

CSplitOutcome CSplitRunner::RunBySize(const CJobSource& source, double duration,
                                      const std::function<fs::path()>& nextName)
{
    CSplitOutcome outcome;
    const double limit = std::max(1, m_settings.sizeMb) * 1e6;
    double length = SizePartSeconds(limit, m_rate);
    double at = std::max(0, m_settings.startSeconds);
    if (duration - at < 0.1) outcome.error = EngineTextUtf8(text::kNothingToSplit);
    while (duration - at >= 0.1) {
        const fs::path target = nextName();
        CPart part{at, std::min(duration, at + length)};
        bool fits = false;
        for (int attempt = 0; attempt < kSizeAttempts && !fits; ++attempt) {
            if (!WritePart(source, part, target, outcome)) {
                std::error_code ec;
                if (attempt > 0) fs::remove(target, ec);  // the earlier, too big attempt is no part
                return outcome;
            }
            std::error_code ec;
            const double size = double(fs::file_size(target, ec));
            fits = !ec && size <= limit;
            if (!fits) {
                // Measured, not guessed: shorten by what the file weighs and try again.
                length = std::max(kMinSizePart, (part.end - part.start) * limit / std::max(size, 1.0) * 0.93);
                part.end = std::min(duration, part.start + length);
            } else if (part.end < duration && size < limit * 0.7) {
                length *= std::min(1.3, limit * 0.93 / std::max(size, 1.0));  // a better guess for the next part
            }
        }
        if (!fits) {
            std::error_code ec;
            fs::remove(target, ec);
            outcome.error = EngineTextUtf8(text::kPartTooSmall, m_settings.sizeMb);
            return outcome;
        }
        outcome.written.push_back(target);
        at = part.end;
    }
    return outcome;
}

}  // namespace mediaeng::job
