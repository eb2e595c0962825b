// Phone clips: a video stream with a display rotation is probed, previewed and
// converted upright, as players show it; the user's own turns come on top.
#include "../job/RecordingHandler.h"
#include "fixtures/PlaybackTestSupport.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "platform/Bitmap.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <cstdlib>
#include <gtest/gtest.h>

using mediaeng::playback::CPlaybackInput;
using mediaeng::playback::ReadPictureAt;

namespace fs = std::filesystem;

namespace {

fs::path Dir()
{
    const char* dir = std::getenv("KM_TEST_DIR");
    const fs::path d = fs::path(dir ? dir : "/tmp") / "rotated";
    fs::create_directories(d);
    return d;
}

// The colour at a share of the picture's width and height, packed RGB rows top down.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    std::string At(double fx, double fy) const
    {
        const int x = int(fx * width), y = int(fy * height);
        const uint8_t* p = rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
        if (p[0] > 150 && p[2] < 100) return "red";
        if (p[2] > 150 && p[0] < 100) return "blue";
        return "other";
    }
};

// Where the test pattern's marker (the stored picture's bottom quarter, red
// on the left half, blue on the right) lies once the picture is turned
// clockwise by degrees: two probe points, red first.
struct Marker {
    double redX, redY, blueX, blueY;
};
Marker MarkerAfter(int degrees)
{
    switch (degrees % 360) {
    case 90: return {0.1, 0.25, 0.1, 0.75};    // down the left side, red on top
    case 180: return {0.75, 0.1, 0.25, 0.1};   // along the top, red on the right
    case 270: return {0.9, 0.75, 0.9, 0.25};   // down the right side, red below
    default: return {0.25, 0.9, 0.75, 0.9};    // along the bottom, red on the left
    }
}

void ExpectUpright(const Picture& p, int degrees)
{
    const Marker m = MarkerAfter(degrees);
    EXPECT_EQ(p.At(m.redX, m.redY), "red") << degrees;
    EXPECT_EQ(p.At(m.blueX, m.blueY), "blue") << degrees;
}

Picture FromDib(const BYTE* format, const BYTE* data)
{
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(format);
    Picture p;
    p.width = h->biWidth;
    p.height = std::abs(h->biHeight);
    const size_t stride = (size_t(p.width) * 3 + 3) & ~size_t(3);
    p.rgb.resize(size_t(p.width) * size_t(p.height) * 3);
    for (int y = 0; y < p.height; ++y) {
        const BYTE* row = data + stride * size_t(h->biHeight > 0 ? p.height - 1 - y : y);  // bottom-up
        for (int x = 0; x < p.width; ++x)
            for (int c = 0; c < 3; ++c) p.rgb[(size_t(y) * size_t(p.width) + size_t(x)) * 3 + size_t(c)] = row[x * 3 + 2 - c];
    }
    return p;
}

CVariant Fact(IEngineNode* source, const wchar_t* name)
{
    CVariant v;
    CSchemaLock lock;
    ComPtr<IUnknown> item;
    auto c = ComPtr<IEngineNode>(source).As<IPropertyContainer>();
    if (c && SUCCEEDED(c->GetItemByName(name, item.ReleaseAndGetAddressOf())))
        if (auto value = item.As<IEngineValue>()) value->GetValue(&v);
    return v;
}

}  // namespace

TEST(RotatedClips, ProbePreviewAndConversionShowThePictureUpright)
{
    const fs::path clip = fixtures::WriteClip(Dir() / "stored.mp4");
    ASSERT_FALSE(clip.empty());
    for (int degrees : {0, 90, 180, 270}) {
        SCOPED_TRACE(degrees);
        const std::string name = "phone" + std::to_string(degrees) + ".mp4";
        const fs::path phone = fixtures::WriteRotatedCopy(clip, Dir() / name, degrees);
        ASSERT_FALSE(phone.empty());
        const bool quarter = degrees % 180 != 0;

        // The probe: the size as shown.
        ComPtr<IEngineNode> source;
        ASSERT_EQ(CoCreate(CLSID_MediaSource, source), S_OK);
        source->SetValue(L"FileName", CVariant(phone.wstring()));
        ASSERT_EQ(source.As<IMediaSourceGraph>()->Open(nullptr), S_OK);
        EXPECT_EQ(Fact(source.Get(), L"Width").AsInt(), quarter ? 120 : 160);
        EXPECT_EQ(Fact(source.Get(), L"Height").AsInt(), quarter ? 160 : 120);
        EXPECT_NEAR(Fact(source.Get(), L"AspectRatio").AsDouble(), quarter ? 0.75 : 4.0 / 3, 0.01);

        // The preview's picture.
        pbtest::CStillPicture still;
        pbtest::ReadStill(phone, pbtest::kSecond / 2, still);
        ASSERT_EQ(still.hr, S_OK);
        const Picture shown = FromDib(still.format, still.data);
        EXPECT_EQ(shown.width, quarter ? 120 : 160);
        ExpectUpright(shown, degrees);

        // The conversion: upright pixels, and no rotation left for players to apply again.
        mediaeng::job::CJobSettings settings;
        mediaeng::job::CJobSource s;
        s.path = Utf8ToWide(phone.string());
        s.duration = 2;
        settings.sources = {s};
        settings.output.naming.destinationFolder = Utf8ToWide((Dir() / "out").string());
        jobtest::CRecordingHandler handler;
        mediaeng::job::CBatchRunner runner;
        ASSERT_EQ(runner.Start(settings, &handler), S_OK);
        ASSERT_EQ(runner.Wait(60000), S_OK);
        ASSERT_EQ(runner.Result(), S_OK);
        const fixtures::MediaInfo out = fixtures::ReadMedia(Dir() / "out" / name);
        ASSERT_TRUE(out.ok) << out.error;
        EXPECT_EQ(out.width, quarter ? 120 : 160);
        EXPECT_EQ(out.height, quarter ? 160 : 120);
        Picture converted{out.width, out.height, out.firstFrameRgb};
        ExpectUpright(converted, degrees);
        ComPtr<IEngineNode> reopened;
        ASSERT_EQ(CoCreate(CLSID_MediaSource, reopened), S_OK);
        reopened->SetValue(L"FileName", CVariant((Dir() / "out" / name).wstring()));
        ASSERT_EQ(reopened.As<IMediaSourceGraph>()->Open(nullptr), S_OK);
        EXPECT_EQ(Fact(reopened.Get(), L"Width").AsInt(), quarter ? 120 : 160);
    }
}
