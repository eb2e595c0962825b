// One 1920x1080 clip with grain converted to H.264 4000k by our batch with
// each kind of edit the crop and filters panes offer, and by the `ffmpeg`
// command line with the nearest -vf chain and the same encoder settings, in
// the same run. Both sides start as fresh processes (ours is this program
// started again with --ours), run in turn several times, and the medians are
// printed. Each of our outputs is read back: it must play to its end at the
// edited size.
// Usage: convert_edits [seconds (5)] [runs per side (3)] [row label part]
#include "ConvertBench.h"
#include "EditChain.h"
#include "fixtures/MediaFixtures.h"
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace bench;
using Settings = mediaeng::job::CFrameChainSettings;

constexpr int kKbps = 4000;
const char* const kCropVf = "crop=1904:1064:8:8";

struct Row {
    const char* label;
    std::function<void(Settings&)> edit;
    std::string vf;  // the command line's nearest work
};

// The eraser's box near the top right, as the command line cuts it out.
const char* const kBox = "crop=200:80:1600:40";
std::string OverBox(const std::string& work)
{
    return std::string("split[keep][box];[box]") + kBox + "," + work + "[done];[keep][done]overlay=1600:40";
}

void Levels(Settings& s, int black, int white, double middle)
{
    for (int c = 0; c < 3; ++c) {
        s.filters.levelMin[c] = black;
        s.filters.levelMax[c] = white;
        s.filters.levelMiddle[c] = middle;
    }
}

std::vector<Row> MakeRows(const fs::path& logo)
{
    std::vector<Row> rows;
    rows.push_back({"no edits", [](Settings&) {}, ""});
    rows.push_back({"crop 8 px each side", AddCrop, kCropVf});
    // Our blur is three box passes of radius 8; eq's brightness is a share of
    // the range (5 * 1.28 / 255), its contrast the slope (100 / (100 - 13)).
    rows.push_back({"crop + eraser + bright/contrast",
                    [](Settings& s) {
                        AddCrop(s);
                        AddEraser(s);
                        AddBrightnessContrast(s);
                    },
                    std::string(kCropVf) + "," +
                        OverBox("boxblur=luma_radius=8:luma_power=3:chroma_radius=4:chroma_power=3") +
                        ",eq=brightness=0.025:contrast=1.15"});
    // 32 points at 96 dpi is 43 px.
    rows.push_back({"crop + text + picture watermark",
                    [logo](Settings& s) {
                        AddCrop(s);
                        AddWatermarks(s, logo);
                    },
                    std::string(kCropVf) +
                        ",drawtext=font='DejaVu Sans':text='KestrelMedia sample':fontsize=43:fontcolor=white:"
                        "borderw=1:bordercolor=black:x=40:y=h-th-40[text];movie=" +
                        logo.string() + "[logo];[text][logo]overlay=x=W-w-40:y=160"});
    rows.push_back({"turn 90", [](Settings& s) { s.rotateDegrees = 90; }, "transpose=clock"});
    rows.push_back({"turn 180", [](Settings& s) { s.rotateDegrees = 180; }, "hflip,vflip"});
    rows.push_back({"turn 270", [](Settings& s) { s.rotateDegrees = 270; }, "transpose=cclock"});
    rows.push_back({"mirror", [](Settings& s) { s.flipH = 1; }, "hflip"});
    rows.push_back({"upside down", [](Settings& s) { s.flipV = 1; }, "vflip"});
    rows.push_back({"turn 90 + greyscale",
                    [](Settings& s) {
                        s.rotateDegrees = 90;
                        s.filters.grayscale = 1;
                    },
                    "transpose=clock,hue=s=0"});
    rows.push_back({"greyscale", [](Settings& s) { s.filters.grayscale = 1; }, "hue=s=0"});
    rows.push_back({"negative", [](Settings& s) { s.filters.negative = 1; }, "negate"});
    // Our gamma 40 is 2^(40/50).
    rows.push_back({"gamma", [](Settings& s) { s.filters.gamma = 40; }, "eq=gamma=1.741"});
    rows.push_back({"levels", [](Settings& s) { Levels(s, 20, 230, 1.0); }, "curves=all='0.078/0 0.902/1'"});
    rows.push_back({"levels with midtone", [](Settings& s) { Levels(s, 20, 230, 1.6); },
                    "curves=all='0.078/0 0.5/0.65 0.902/1'"});
    rows.push_back({"hue + saturation",
                    [](Settings& s) {
                        s.filters.hue = 60;
                        s.filters.saturation = 40;
                    },
                    "hue=h=60:s=1.4"});
    rows.push_back({"sharpen", [](Settings& s) { s.filters.sharpen = 1; }, "unsharp=3:3:1:3:3:1"});
    rows.push_back({"soften", [](Settings& s) { s.filters.soften = 1; }, "unsharp=3:3:-1:3:3:-1"});
    rows.push_back({"auto levels", [](Settings& s) { s.filters.autoLevel = 1; }, "normalize"});
    rows.push_back({"deinterlace", [](Settings& s) { s.filters.deinterlace = 1; }, "yadif"});
    rows.push_back({"eraser blur", AddEraser,
                    OverBox("boxblur=luma_radius=8:luma_power=3:chroma_radius=4:chroma_power=3")});
    rows.push_back({"eraser pixelate",
                    [](Settings& s) {
                        AddEraser(s);
                        s.eraser.nType = ERASER_PIXELATE;
                    },
                    OverBox("pixelize=8:8")});
    rows.push_back({"eraser fill",
                    [](Settings& s) {
                        AddEraser(s);
                        s.eraser.nType = ERASER_FILL;
                    },
                    "delogo=x=1600:y=40:w=200:h=80"});
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

Settings EditsOf(const Row& row)
{
    Settings s;
    row.edit(s);
    return s;
}

// Our side, in the process started for it: one row into folder.
int RunOursHere(const std::vector<Row>& rows, size_t index, const fs::path& clip, double seconds,
                const fs::path& folder)
{
    if (index >= rows.size()) return 2;
    mediaeng::job::CJobSettings settings;
    settings.sources = {Source(clip, seconds)};
    settings.output = H264Output(folder, kKbps);
    const Settings edits = EditsOf(rows[index]);
    return RunOurs(settings, [edits] { return edits.MakeStage(); }) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics would bury the figures
    if (argc == 7 && std::strcmp(argv[1], "--ours") == 0)
        return RunOursHere(MakeRows(argv[6]), std::stoul(argv[2]), argv[3], std::atof(argv[4]), argv[5]);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string only = argc > 3 ? argv[3] : "";
    const fs::path dir = fs::temp_directory_path() / ("km-bench-edits-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ref");
    const fs::path logo = dir / "badge.png";
    if (!WriteLogoPng(logo, MakeLogoRgba())) return Failed("the badge could not be written");

    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.gopSize = 50;
    desc.noise = 20;  // grain: the encoder has real work to do
    desc.seconds = seconds;
    std::printf("generating %.0f s of 1920x1080 25 fps H.264 + tone; medians of %d runs per side...\n", seconds, runs);
    const fs::path clip = dir / "clip.mkv";
    if (!WriteClipInChild(clip, desc)) return Failed("could not write the clip");
    const int frames = int(std::lround(seconds * desc.fpsNum / desc.fpsDen));
    const std::string self = fs::read_symlink("/proc/self/exe").string();

    const std::vector<Row> rows = MakeRows(logo);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (!only.empty() && std::string(row.label).find(only) == std::string::npos) continue;
        const fs::path ours = dir / ("ours" + std::to_string(i));
        const std::string oursCommand = Quote(self) + " --ours " + std::to_string(i) + " " + Quote(clip) + " " +
                                        std::to_string(seconds) + " " + Quote(ours) + " " + Quote(logo);
        const std::string refCommand = FfmpegH264(clip, dir / "ref" / ("row" + std::to_string(i) + ".mp4"), kKbps, row.vf);
        const InTurnFigures f = RunInTurn(
            runs,
            [&](int run) {
                std::error_code ec;
                fs::remove_all(ours, ec);
                fs::create_directories(ours);
                RunFigures o = RunCommandFigures(oursCommand);
                if (o.ok && run == 0) {
                    const Settings edits = EditsOf(row);
                    const RECT& cut = edits.crop;
                    const bool turned = (edits.rotateDegrees / 90) % 2 != 0;
                    const int w = (turned ? desc.height : desc.width) - int(cut.left + cut.right);
                    const int h = (turned ? desc.width : desc.height) - int(cut.top + cut.bottom);
                    const std::string fault = CheckOutput(OnlyFileIn(ours), w, h, frames);
                    if (!fault.empty()) std::fprintf(stderr, "%s: our output %s\n", row.label, fault.c_str());
                    o.ok = fault.empty();
                }
                return o;
            },
            [&](int) { return RunCommandFigures(refCommand); });
        if (!f.ok) return Failed("%s: %s failed (is ffmpeg installed?)", row.label, f.failed);
        PrintRow(row.label, f.ours, f.reference);
        std::printf("%-34s ours %8.0f MB  ffmpeg %8.0f MB (peak resident)\n", "", f.oursPeakMb, f.referencePeakMb);
        std::fflush(stdout);
    }
    std::error_code ec;
    if (!std::getenv("KM_BENCH_KEEP")) fs::remove_all(dir, ec);
    else std::printf("outputs kept in %s\n", dir.c_str());
    return 0;
}
