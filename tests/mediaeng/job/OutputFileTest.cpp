// Write failures name the file the user will look for and its folder, never
// the hidden temporary name the output is written under.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/transcode/OutputFile.h"
#include "platform/TextConv.h"

namespace {

using namespace jobtest;

// Even root cannot create a file in a process's /proc folder.
const fs::path kUnwritable = "/proc/1";

TEST(OutputFile, CreateFailureNamesTheOutputAndItsFolder)
{
    mediaeng::job::COutputFile out;
    std::string error;
    ASSERT_TRUE(out.Create(kUnwritable / "whole.mp4", "mp4", error)) << error;
    EXPECT_FALSE(out.Begin(error));
    EXPECT_NE(error.find("whole.mp4"), std::string::npos) << error;
    EXPECT_NE(error.find(kUnwritable.string()), std::string::npos) << error;
    EXPECT_EQ(error.find(".part"), std::string::npos) << error;
    EXPECT_EQ(error.find(".whole"), std::string::npos) << error;
}

TEST(OutputFile, BatchErrorsOfVideoAndPictureOutputsNameTheOutput)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 0.4;
    const fs::path clip = fixtures::WriteClip(dir / "whole.mp4", desc);
    ASSERT_FALSE(clip.empty());
    for (bool picture : {false, true}) {
        SCOPED_TRACE(picture ? "picture" : "video");
        mediaeng::job::CJobSettings s;
        mediaeng::job::CJobSource source;
        source.path = Utf8ToWide(clip.string());
        source.duration = 0.4;
        s.sources = {source};
        s.output.naming.destinationFolder = Utf8ToWide(kUnwritable.string());
        if (picture) {
            s.output.muxer = "image2";
            s.output.extension = L"png";
            s.output.video.enabled = false;
            s.output.audio.enabled = false;
            s.operations.image.enabled = true;
            s.operations.image.encoder = "png";
        }
        CRecordingHandler handler;
        mediaeng::job::CBatchRunner runner;
        ASSERT_EQ(runner.Start(s, &handler), S_OK);
        ASSERT_EQ(runner.Wait(60000), S_OK);
        EXPECT_EQ(runner.Result(), S_FALSE);
        int errors = 0;
        for (const auto& l : handler.Lines()) {
            if (!(l.flags & MSGF_ERROR)) continue;
            ++errors;
            const std::string text = WideToUtf8(l.text);
            EXPECT_NE(text.find(picture ? "whole.png" : "whole.mp4 in the folder /proc/1"), std::string::npos) << text;
            EXPECT_EQ(text.find(".part"), std::string::npos) << text;
        }
        EXPECT_EQ(errors, 1);
    }
}

}  // namespace
