// A disc named as a plain media file (a disc image, a disc folder or its
// VIDEO_TS folder) is read as the disc, so its titles are listed; anything
// else is still looked at as a file.
#include "engine/MediaSourceGraph.h"
#include "fixtures/DvdImageFixture.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/dvd/DiscPath.h"
#include "platform/ClassRegistry.h"
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct DiscFixture {
    fs::path image, folder;
    std::string error;
};

// A disc image and the disc folder it was made from, made once.
const DiscFixture& Disc()
{
    static const DiscFixture disc = [] {
        DiscFixture d;
        const char* dir = std::getenv("KM_TEST_DIR");
        d.image = fixtures::WriteDvdImage(fs::path(dir ? dir : "/tmp") / "disc-path", &d.error, &d.folder);
        return d;
    }();
    return disc;
}

LONG SubFileCount(IEngineNode* source)
{
    ComPtr<IUnknown> list;
    LONG count = 0;
    source->GetItem(L"SubFiles", list.ReleaseAndGetAddressOf());
    if (auto c = list.As<IEngineCollection>()) c->GetCount(&count);
    return count;
}

TEST(DiscPath, DiscImagesAndDiscFoldersLookLikeDvdsAndNothingElseDoes)
{
    if (Disc().image.empty()) GTEST_SKIP() << Disc().error;
    const fs::path& iso = Disc().image;
    const fs::path& disc = Disc().folder;
    const fs::path dir = iso.parent_path();
    const fs::path clip = fixtures::WriteClip(dir / "clip.mp4");
    ASSERT_FALSE(clip.empty());
    std::ofstream(dir / "note.txt") << "not a disc";
    fs::create_directories(dir / "empty" / "VIDEO_TS");  // a VIDEO_TS without its table
    const struct {
        fs::path path;
        bool dvd;
    } cases[] = {
        {iso, true},
        {disc, true},
        {disc / "", true},
        {disc / "VIDEO_TS", true},
        {clip, false},
        {dir / "note.txt", false},
        {dir / "empty", false},
        {dir / "empty" / "VIDEO_TS", false},
        {dir / "missing.iso", false},
        {disc / "VIDEO_TS" / "VIDEO_TS.IFO", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mediaeng::LooksLikeDvd(c.path.string()), c.dvd) << c.path;
}

TEST(DiscPath, ADiscImageOpenedAsAPlainFileListsItsTitles)
{
    if (Disc().image.empty()) GTEST_SKIP() << Disc().error;
    for (const fs::path& where : {Disc().image, Disc().folder}) {
        SCOPED_TRACE(where.string());
        ComPtr<IEngineNode> source;
        ASSERT_EQ(CoCreate(CLSID_MediaSource, source), S_OK);
        source->SetValue(L"FileName", CVariant(where.wstring()));
        source->SetValue(L"Type", CVariant(int32_t{0}));
        auto graph = source.As<IMediaSourceGraph>();
        ASSERT_EQ(graph->Open(nullptr), MS_OPEN_PENDING);
        ASSERT_EQ(graph->ContinueOpen(nullptr), S_OK);
        EXPECT_EQ(SubFileCount(source.Get()), 2);
    }
}

}  // namespace
