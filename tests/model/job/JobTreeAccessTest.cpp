#include "fixtures/FakeJob.h"
#include "model/job/JobTreeAccess.h"
#include "model/source/PropertyAccess.h"
#include <gtest/gtest.h>

using namespace jobfakes;
using Lines = std::vector<std::wstring>;

namespace {

TEST(JobTreeAccess, FormatsModeFollowsTheGalleryFlagAndGalleryType)
{
    struct Case {
        int gallery, galleryType;
        const wchar_t* openMode;
    } cases[] = {{1, 1, L"P0|Formats|Mode|3"}, {1, 0, L"P0|Formats|Mode|0"}, {0, 1, L"P0|Formats|Mode|0"}};
    for (const Case& c : cases) {
        LogPtr log = std::make_shared<Log>();
        Profile p = MakeProfile(log, 0, 1);
        IUnknown* node = static_cast<IEngineNode*>(p.node.Get());
        SetSourceProperty(node, L"GalleryType", CVariant(int32_t{c.galleryType}));
        log->lines.clear();
        {
            CFormatsNodeHolder holder;
            OpenFormatsNode(holder, node, c.gallery);
            EXPECT_EQ(static_cast<IEngineCollection*>(p.formats.Get()), holder.Formats());
            EXPECT_EQ(c.gallery, holder.GalleryFlag());
            EXPECT_EQ(Lines{c.openMode}, log->lines);
        }  // the holder closes itself
        EXPECT_EQ((Lines{c.openMode, L"P0|Formats|Mode|0"}), log->lines);
    }
}

TEST(JobTreeAccess, MissingChildrenGiveNullAndDoNothing)
{
    LogPtr log = std::make_shared<Log>();
    ComPtr<Job> job = MakeComObject<Job>(log);
    IUnknown* j = static_cast<IConversionJob*>(job.Get());
    EXPECT_EQ(static_cast<IFilesNode*>(job->files.Get()), GetFilesNode(j).Get());
    EXPECT_TRUE(GetProfilesNode(j));
    EXPECT_FALSE(GetFilesNode(nullptr));

    ComPtr<Node> bare = MakeComObject<Node>(log, L"N");
    log->missing = {L"Files", L"Profiles", L"Formats", L"GalleryData"};
    IUnknown* n = static_cast<IEngineNode*>(bare.Get());
    EXPECT_FALSE(GetFilesNode(n));
    EXPECT_FALSE(GetProfilesNode(n));
    CVariant value(int32_t{5});
    EXPECT_FALSE(GetNamedProperty(n, L"GalleryData", &value));
    EXPECT_EQ(5, value.AsInt());  // untouched
    CFormatsNodeHolder holder;
    OpenFormatsNode(holder, n, 1);
    EXPECT_EQ(nullptr, holder.Formats());
    CloseFormatsNode(holder);
    EXPECT_TRUE(log->lines.empty());

    SetSourceProperty(n, L"Speed", CVariant(int32_t{7}));
    CVariant read;
    EXPECT_TRUE(GetNamedProperty(n, L"Speed", &read));
    EXPECT_EQ(7, read.AsInt());
}

}  // namespace
