// One 1920x1080 clip with grain converted to H.264 4000k by our batch with
// typical edits, and by the `ffmpeg` command line with the nearest -vf chain
// and the same encoder settings, in the same run: no edits first, for
// reference, then crop, crop with eraser and colour, crop with watermarks.
// Each of our outputs is read back: it must play to its end at the edited size.
// Usage: convert_edits [seconds] (default 10).
#include "ConvertBench.h"
#include "EditChain.h"
#include "fixtures/MediaFixtures.h"
#include <cmath>
#include <vector>

namespace {

using namespace bench;

constexpr int kKbps = 4000;
const char* const kCropVf = "crop=1904:1064:8:8";

struct Row {
    const char* label;
    EditChain edits;
    std::string vf;  // the command line's nearest work
};

std::vector<Row> MakeRows(const fs::path& logo)
{
    std::vector<Row> rows(4);
    rows[0].label = "no edits";
    rows[1].label = "crop 8 px each side";
    AddCrop(rows[1].edits);
    rows[1].vf = kCropVf;
    // Our blur is three box passes of radius 8; eq's brightness is a share of
    // the range (5 * 1.28 / 255), its contrast the slope (100 / (100 - 13)).
    rows[2].label = "crop + eraser + bright/contrast";
    AddCrop(rows[2].edits);
    AddEraser(rows[2].edits);
    AddBrightnessContrast(rows[2].edits);
    rows[2].vf = std::string(kCropVf) +
                 ",split[keep][box];[box]crop=200:80:1600:40,"
                 "boxblur=luma_radius=8:luma_power=3:chroma_radius=4:chroma_power=3[blurred];"
                 "[keep][blurred]overlay=1600:40,eq=brightness=0.025:contrast=1.15";
    // 32 points at 96 dpi is 43 px.
    rows[3].label = "crop + text + picture watermark";
    AddCrop(rows[3].edits);
    AddWatermarks(rows[3].edits, logo);
    rows[3].vf = std::string(kCropVf) +
                 ",drawtext=font='DejaVu Sans':text='KestrelMedia sample':fontsize=43:fontcolor=white:"
                 "borderw=1:bordercolor=black:x=40:y=h-th-40[text];movie=" +
                 logo.string() + "[logo];[text][logo]overlay=x=W-w-40:y=160";
    return rows;
}

// The one file our batch wrote into folder; empty when it is not exactly one.
fs::path OnlyFileIn(const fs::path& folder)
{
    fs::path found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        if (!found.empty()) return {};
        found = e.path();
    }
    return found;
}

// Empty when file plays to its end as width x height with frames pictures;
// else what is wrong with it.
std::string CheckOutput(const fs::path& file, int width, int height, int frames)
{
    if (file.empty()) return "no single output file";
    const fixtures::MediaInfo m = fixtures::ReadMedia(file);
    if (!m.ok) return "does not play: " + m.error;
    if (m.hasVideo && m.width == width && m.height == height && m.frames == frames) return {};
    char text[160];
    std::snprintf(text, sizeof text, "has %dx%d, %d frames; expected %dx%d, %d frames", m.width, m.height, m.frames,
                  width, height, frames);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics would bury the figures
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const fs::path dir = fs::temp_directory_path() / ("km-bench-edits-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ref");
    const fs::path logo = dir / "badge.png";
    if (!WriteLogoPng(logo, MakeLogoRgba())) return std::fprintf(stderr, "the badge could not be written\n"), 1;

    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.gopSize = 50;
    desc.noise = 20;  // grain: the encoder has real work to do
    desc.seconds = seconds;
    std::printf("generating %.0f s of 1920x1080 25 fps H.264 + tone...\n", seconds);
    const fs::path clip = dir / "clip.mkv";
    if (!WriteClipInChild(clip, desc)) return std::fprintf(stderr, "could not write the clip\n"), 1;
    const int frames = int(std::lround(seconds * desc.fpsNum / desc.fpsDen));

    mediaeng::job::CJobSettings settings;
    settings.sources = {Source(clip, seconds)};
    const std::vector<Row> rows = MakeRows(logo);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const fs::path ours = dir / ("ours" + std::to_string(i));
        fs::create_directories(ours);
        settings.output = H264Output(ours, kKbps);
        const RunFigures o = RunOursInChild(settings, [&row] { return mediaeng::job::MakeEditStage(row.edits); });
        if (!o.ok) return std::printf("FAIL %s: our conversion failed\n", row.label), 1;
        const RECT& cut = row.edits.crop;
        const std::string fault = CheckOutput(OnlyFileIn(ours), desc.width - int(cut.left + cut.right),
                                              desc.height - int(cut.top + cut.bottom), frames);
        if (!fault.empty()) return std::printf("FAIL %s: our output %s\n", row.label, fault.c_str()), 1;
        const RunFigures r =
            RunCommandFigures(FfmpegH264(clip, dir / "ref" / ("row" + std::to_string(i) + ".mp4"), kKbps, row.vf));
        if (!r.ok) return std::printf("FAIL %s: ffmpeg failed (is it installed?)\n", row.label), 1;
        PrintRow(row.label, o.seconds, r.seconds);
        std::printf("%-34s ours %8.0f MB  ffmpeg %8.0f MB (peak resident)\n", "", o.peakMb, r.peakMb);
    }
    std::error_code ec;
    if (!std::getenv("KM_BENCH_KEEP")) fs::remove_all(dir, ec);
    else std::printf("outputs kept in %s\n", dir.c_str());
    return 0;
}
