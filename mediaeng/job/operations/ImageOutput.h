#pragma once
// The image output: pictures in an image format instead of video. A still
// picture is converted as it is; from a clip one picture is taken at the start
// time, or the pictures the extraction mode asks for (every N seconds, or N
// spread over the clip). With the sheet switched on, a clip's pictures make a
// contact sheet (rows x columns spread over the clip unless the extraction
// mode chooses them) and still pictures are joined into sheets in batch
// order. Every frame edit of the format is applied, then the output size.
#include "mediaeng/job/transcode/FrameEditStage.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/settings/NameBook.h"
#include "mediaeng/job/transcode/RunControl.h"
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace mediaeng::job {

class CContactSheet;

class CImageOutput {
public:
    using EditMaker = std::function<std::unique_ptr<IFrameEditStage>()>;

    CImageOutput(const CJobSettings& settings, CRunControl& control, EditMaker makeEdit, CJobMessages& msg,
                 std::time_t runStart);
    ~CImageOutput();
    // succeeded: sources done; total: sources asked for.
    void Run(int& succeeded, int& total);

    // The times (seconds) pictures are taken from a clip of duration seconds.
    static std::vector<double> PictureTimes(const CJobOperations& ops, double duration);

private:
    bool Convert(const CJobSource& source, int index);
    bool FlushPictureSheet();
    bool Save(const AVFrame* rgb, const std::filesystem::path& target, std::string& error);
    av::FramePtr Shape(av::FramePtr frame, double time, IFrameEditStage& edit, std::string& error);

    const CJobSettings& m_settings;
    CRunControl& m_control;
    EditMaker m_makeEdit;
    CJobMessages& m_msg;
    std::unique_ptr<COutputNamer> m_namer, m_numbered;
    CNameBook m_names;
    std::unique_ptr<CContactSheet> m_pictureSheet;  // still pictures joined across the batch
    std::wstring m_sheetSource;                     // the sheet's first picture
    int m_sheetIndex = 0;
};

}  // namespace mediaeng::job
