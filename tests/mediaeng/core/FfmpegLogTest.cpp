// FFmpeg's own log reaches standard error at warning level and above only:
// the encoders' statistics (information level) never fill the terminal.
#include "engine/EngineInit.h"
#include "mediaeng/av/LogLevel.h"
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>
extern "C" {
#include <libavutil/log.h>
}

namespace {

// What av_log writes to standard error while fn runs.
template <class Fn>
std::string CaptureStderr(Fn fn)
{
    char name[] = "/tmp/km-stderr-XXXXXX";
    const int file = mkstemp(name);
    if (file < 0) return "(no capture)";
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(file, 2);
    fn();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    close(file);
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(name);
    return text.str();
}

TEST(FfmpegLog, OnlyWarningsAndErrorsReachTheTerminalOnceTheEngineIsUp)
{
    const int before = av_log_get_level();
    av_log_set_level(AV_LOG_INFO);  // as FFmpeg starts
    mediaeng::av::LimitFfmpegLog();
    const std::string out = CaptureStderr([] {
        av_log(nullptr, AV_LOG_INFO, "encoder statistics\n");
        av_log(nullptr, AV_LOG_VERBOSE, "verbose note\n");
        av_log(nullptr, AV_LOG_WARNING, "a warning\n");
        av_log(nullptr, AV_LOG_ERROR, "an error\n");
    });
    EXPECT_EQ(out.find("encoder statistics"), std::string::npos) << out;
    EXPECT_EQ(out.find("verbose note"), std::string::npos) << out;
    EXPECT_NE(out.find("a warning"), std::string::npos) << out;
    EXPECT_NE(out.find("an error"), std::string::npos) << out;

    // A stricter level chosen before is kept.
    av_log_set_level(AV_LOG_ERROR);
    mediaeng::av::LimitFfmpegLog();
    EXPECT_EQ(av_log_get_level(), AV_LOG_ERROR);
    av_log_set_level(before);
}

}  // namespace
