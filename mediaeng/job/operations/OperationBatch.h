#pragma once
// The part of a run beyond one re-encoded file per source: splits, joins
// (all sources, or the DVD titles marked "AddToJoin"), stream copies and the
// image output. Runs on the batch's worker thread and reports through the
// batch's messages; each output is one unit of the batch's count.
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/transcode/FrameEditStage.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/settings/NameBook.h"
#include "mediaeng/job/transcode/RunControl.h"
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace mediaeng::job {

class COperationBatch {
public:
    using EditFactory = std::function<std::unique_ptr<IFrameEditStage>()>;

    COperationBatch(const CJobSettings& settings, CRunControl& control, EditFactory editFactory, CJobMessages& msg);
    ~COperationBatch();

    // Whether settings need this rather than the plain loop.
    static bool Needed(const CJobSettings& settings);
    // succeeded: outputs (or sources) done; total: those asked for.
    void Run(int& succeeded, int& total);
    // Of the succeeded ones, those whose source ended early (a split source
    // counts once, however many of its parts fell short).
    int Shortened() const { return m_shortened; }

private:
    bool Single(const CJobSource& source, int index);
    bool Split(const CJobSource& source, int index);
    bool Join(const std::vector<CJobSource>& sources, int index);
    CTranscodeResult WritePart(const CJobSource& part, const std::filesystem::path& target);
    COutputNamer& NamerFor(const CJobSource& source, bool numbered);
    std::unique_ptr<IFrameEditStage> MakeEdit() const;
    void Report(const CJobSource& source, const CTranscodeResult& r, const std::filesystem::path& target);
    void Progress(double share);

    const CJobSettings& m_settings;
    CRunControl& m_control;
    EditFactory m_editFactory;
    CJobMessages& m_msg;
    std::time_t m_runStart;
    std::map<std::wstring, std::unique_ptr<COutputNamer>> m_namers;  // by extension and numbering
    CNameBook m_names;
    double m_done = 0, m_total = 1;      // sources done, of all
    double m_partFrom = 0, m_partSpan = 1;  // the part being written, as shares of its source
    double m_lastProgress = 0;
    int m_shortened = 0;
};

}  // namespace mediaeng::job
