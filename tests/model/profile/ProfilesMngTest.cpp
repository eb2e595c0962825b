// The profile list over temporary "Profiles" folders: listing, choosing,
// saving, deleting and proposing names.
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "platform/TextConv.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FakeNameDlg : public CNewProfileNameDlg {
public:
    FakeNameDlg(int result, std::wstring typed, std::vector<std::wstring>* proposals)
        : m_result(result), m_typed(std::move(typed)), m_proposals(proposals)
    {
    }
    int DoModal() override
    {
        m_proposals->push_back(m_name);
        if (m_result == kIdOk) m_name = m_typed;
        return m_result;
    }

private:
    int m_result;
    std::wstring m_typed;
    std::vector<std::wstring>* m_proposals;
};

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class ProfilesMngTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::path(std::getenv("KM_TEST_DIR")) / "profiles" / info->name();
        shipped = root / "app" / "Profiles";
        user = root / "data" / "Profiles";
        fs::remove_all(root);
        fs::create_directories(shipped);
        mng.SetFolders(Utf8ToWide(shipped.string()) + L"/", Utf8ToWide(user.string()) + L"/");
    }
    void UseDialog(int result, std::wstring typed)
    {
        mng.SetNameDialogFactory([this, result, typed] {
            return std::make_unique<FakeNameDlg>(result, typed, &proposals);
        });
    }
    // Index of the entry with the name, -1 when none.
    long IndexOf(const std::wstring& name) const
    {
        for (size_t i = 0; i < mng.Entries().size(); ++i)
            if (mng.Entries()[i]->m_name == name) return static_cast<long>(i);
        return -1;
    }
    fs::path UserGroup(const char* category = "Video") const { return user / category / "User Defined"; }

    fs::path root, shipped, user;
    CProject project;
    CProfilesMng mng;
    std::vector<std::wstring> proposals;
};

TEST_F(ProfilesMngTest, MissingFoldersListCustomAlone)
{
    fs::remove_all(shipped);
    mng.Reload(&project, 0);
    ASSERT_EQ(mng.Entries().size(), 1u);
    EXPECT_EQ(mng.Entries()[0]->m_name, L"Custom");
    EXPECT_EQ(mng.GetCategory(), CProfilesMng::kCategoryVideo);
    EXPECT_EQ(mng.m_loadedCategory, 1);
}

TEST_F(ProfilesMngTest, ListsGroupsUserProfilesAndLooseFilesSorted)
{
    WriteFile(shipped / "Video" / "Web" / "b.vlprofile", "video_file.video_bitrate:800;\r\n");
    WriteFile(shipped / "Video" / "Web" / "a.vlprofile", "video_file.video_bitrate:400;\r\n");
    WriteFile(shipped / "Video" / "Web" / "notes.txt", "x");
    WriteFile(shipped / "Video" / "User Defined" / "shipped.vlprofile", "");
    WriteFile(shipped / "Video" / "zz.vlprofile", "video_file.video_bitrate:1;\r\n");
    WriteFile(shipped / "Video" / "dot.v2.vlprofile", "video_file.video_bitrate:2;\r\n");
    WriteFile(shipped / "Video" / "readme.txt", "x");
    WriteFile(UserGroup() / "user7.vlprofile", "video_file.video_bitrate:7;\r\n");
    WriteFile(UserGroup() / "mine.vlprofile", "video_file.video_bitrate:9;\r\n");
    mng.Reload(&project, 0);

    struct Row {
        std::wstring name;
        DWORD header, inGroup, userDefined;
        std::wstring relative;
        size_t values;
    } expected[] = {
        {L"Custom", 0, 0, 0, L"", 0},
        {L"dot.v2", 0, 0, 0, L"Video\\dot.v2.vlprofile", 1},
        {L"readme", 0, 0, 0, L"", 0},  // read as readme.vlprofile, which is absent
        {L"User Defined", 1, 0, 0, L"", 0},
        {L"mine", 0, 1, 1, L"User Defined\\mine.vlprofile", 1},
        {L"user7", 0, 1, 1, L"User Defined\\user7.vlprofile", 1},
        {L"Web", 1, 0, 0, L"", 0},
        {L"a", 0, 1, 0, L"Web\\a.vlprofile", 1},
        {L"b", 0, 1, 0, L"Web\\b.vlprofile", 1},
        {L"zz", 0, 0, 0, L"Video\\zz.vlprofile", 1},
    };
    ASSERT_EQ(mng.Entries().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const CProfileEntry& e = *mng.Entries()[i];
        const Row& r = expected[i];
        SCOPED_TRACE(WideToUtf8(r.name));
        EXPECT_EQ(e.m_name, r.name);
        EXPECT_EQ(e.m_groupHeader, r.header);
        EXPECT_EQ(e.m_inGroup, r.inGroup);
        EXPECT_EQ(e.m_userDefined, r.userDefined);
        EXPECT_EQ(e.GetRelativePath(), r.relative);
        EXPECT_EQ(e.m_values.size(), r.values);
    }
}

TEST_F(ProfilesMngTest, SelectingAppliesAndRecordsTheProfile)
{
    WriteFile(shipped / "Video" / "Web" / "a.vlprofile",
              "video_file.video_bitrate:400;\r\nvideo_file.destination:C:\\out;\r\n");
    mng.Reload(&project, 0);
    CVideoFileObj* video = project.GetVideoOutput();

    EXPECT_EQ(mng.SelectProfile(IndexOf(L"Web")), S_FALSE);  // a header changes nothing
    EXPECT_EQ(video->video_bitrate, 2000);
    EXPECT_EQ(mng.SelectProfile(mng.Entries().size()), E_INVALIDARG);

    ASSERT_EQ(mng.SelectProfile(IndexOf(L"a")), S_OK);
    EXPECT_EQ(video->video_bitrate, 400);
    EXPECT_EQ(video->destination, L"C:\\out");
    EXPECT_EQ(video->profile_name, L"Web\\a.vlprofile");
    // A shipped profile may be neither written over nor deleted.
    EXPECT_EQ(mng.IsCurrentProfileListed(), 0u);
    EXPECT_EQ(mng.FindCurrentProfile(), 0u);
    std::wstring out = L"kept";
    EXPECT_EQ(mng.SaveProfileAs(&out), E_ACCESSDENIED);
    EXPECT_EQ(mng.DeleteProfile(&out), E_ACCESSDENIED);
    EXPECT_EQ(out, L"kept");
    EXPECT_TRUE(fs::exists(shipped / "Video" / "Web" / "a.vlprofile"));

    ASSERT_EQ(mng.SelectProfile(0), S_OK);  // "Custom"
    EXPECT_TRUE(video->profile_name.empty());
    EXPECT_EQ(video->video_bitrate, 400);
    EXPECT_EQ(mng.IsCurrentProfileListed(), 1u);
}

TEST_F(ProfilesMngTest, SaveReloadAndApplyAUserProfile)
{
    UseDialog(CNewProfileNameDlg::kIdOk, L"my.phone");
    mng.Reload(&project, 0);
    CVideoFileObj* video = project.GetVideoOutput();
    video->video_bitrate = 3333;
    video->image_size = L"320x240";
    video->destination = L"/not/in/profiles";

    std::wstring saved;
    ASSERT_EQ(mng.SaveProfileAs(&saved), S_OK);
    EXPECT_EQ(saved, L"User Defined\\my.phone.vlprofile");
    EXPECT_TRUE(fs::exists(UserGroup() / "my.phone.vlprofile"));
    EXPECT_EQ(proposals, std::vector<std::wstring>{L"user1"});

    video->profile_name = saved;
    mng.Reload(&project, 1);
    long index = IndexOf(L"my.phone");
    ASSERT_GE(index, 0);
    EXPECT_EQ(mng.Entries()[index]->m_userDefined, 1u);
    EXPECT_EQ(mng.IsCurrentProfileListed(), 1u);
    EXPECT_EQ(mng.FindCurrentProfile(), 1u);

    video->video_bitrate = 100;
    video->image_size = L"100%";
    video->destination = L"/elsewhere";
    ASSERT_EQ(mng.SelectProfile(index), S_OK);
    EXPECT_EQ(video->video_bitrate, 3333);
    EXPECT_EQ(video->image_size, L"320x240");
    EXPECT_EQ(video->destination, L"/elsewhere");  // not a profile setting
    EXPECT_EQ(video->profile_name, saved);

    // Saving again writes over the same file without asking.
    video->video_bitrate = 4444;
    std::wstring again;
    ASSERT_EQ(mng.SaveProfileAs(&again), S_OK);
    EXPECT_EQ(again, saved);
    EXPECT_EQ(proposals.size(), 1u);
    mng.Reload(&project, 1);
    video->video_bitrate = 1;
    mng.SelectProfile(IndexOf(L"my.phone"));
    EXPECT_EQ(video->video_bitrate, 4444);
}

TEST_F(ProfilesMngTest, BadNamesAndCancelWriteNothing)
{
    std::wstring out = L"kept";
    mng.Reload(&project, 0);
    EXPECT_EQ(mng.SaveProfileAs(&out), S_FALSE);  // no dialog installed
    UseDialog(2, L"fine");
    EXPECT_EQ(mng.SaveProfileAs(&out), S_FALSE);
    for (const wchar_t* name : {L"a/b", L"a\\b", L"..", L"up..x", L""}) {
        UseDialog(CNewProfileNameDlg::kIdOk, name);
        EXPECT_EQ(mng.SaveProfileAs(&out), E_INVALIDARG) << WideToUtf8(name);
    }
    EXPECT_EQ(out, L"kept");
    EXPECT_FALSE(fs::exists(user));

    // A name that already ends in the extension gets no second one.
    UseDialog(CNewProfileNameDlg::kIdOk, L"clip.VLPROFILE");
    ASSERT_EQ(mng.SaveProfileAs(&out), S_OK);
    EXPECT_EQ(out, L"User Defined\\clip.VLPROFILE");
}

TEST_F(ProfilesMngTest, WriteFailureIsReportedAndNothingRecorded)
{
    fs::create_directories(user.parent_path());
    WriteFile(user, "a file where the folder should be");
    UseDialog(CNewProfileNameDlg::kIdOk, L"x");
    mng.Reload(&project, 0);
    std::wstring out = L"kept";
    EXPECT_EQ(mng.SaveProfileAs(&out), E_FAIL);
    EXPECT_EQ(out, L"kept");
    mng.Reload(&project, 1);
    EXPECT_EQ(mng.Entries().size(), 1u);
}

TEST_F(ProfilesMngTest, OnlyListedUserProfilesAreDeleted)
{
    WriteFile(UserGroup() / "user1.vlprofile", "video_file.video_bitrate:7;\r\n");
    WriteFile(shipped / "Video" / "secret.vlprofile", "");
    mng.Reload(&project, 0);
    CVideoFileObj* video = project.GetVideoOutput();
    std::wstring out = L"kept";

    video->profile_name = L"User Defined\\..\\..\\secret.vlprofile";
    EXPECT_EQ(mng.DeleteProfile(&out), E_ACCESSDENIED);
    video->profile_name = L"User Defined\\gone.vlprofile";  // not listed
    EXPECT_EQ(mng.DeleteProfile(&out), E_ACCESSDENIED);
    video->profile_name.clear();
    EXPECT_EQ(mng.DeleteProfile(&out), E_ACCESSDENIED);
    EXPECT_EQ(out, L"kept");

    video->profile_name = L"User Defined\\user1.vlprofile";
    ASSERT_EQ(mng.DeleteProfile(&out), S_OK);
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(fs::exists(UserGroup() / "user1.vlprofile"));
    EXPECT_TRUE(fs::exists(shipped / "Video" / "secret.vlprofile"));
}

TEST_F(ProfilesMngTest, ProposeUserNameAfterTheLargestNumber)
{
    mng.Reload(&project, 0);
    EXPECT_EQ(mng.ProposeUserName(), L"user1");
    struct Row {
        std::vector<const char*> files;
        const wchar_t* expected;
    } rows[] = {
        {{"user1.vlprofile", "user7.vlprofile", "mine.vlprofile"}, L"user8"},
        {{"mine.vlprofile", "User9.vlprofile", "user0.vlprofile", "user-3.vlprofile"}, L"user1"},
        {{"user12x.vlprofile", "user3.txt", "user40.txt"}, L"user13"},
        {{"user2147483647.vlprofile"}, L"user2147483648"},
    };
    for (const Row& r : rows) {
        fs::remove_all(user);
        for (const char* f : r.files) WriteFile(UserGroup() / f, "");
        EXPECT_EQ(mng.ProposeUserName(), r.expected) << r.files[0];
    }
}

TEST_F(ProfilesMngTest, CategoryFollowsTheActiveOutputAndANewProjectRebuilds)
{
    WriteFile(shipped / "Audio" / "Music" / "hifi.vlprofile", "audio_file.audio_bitrate:320;\r\n");
    CVideoFileObj* video = project.GetVideoOutput();
    video->is_create = 0;
    project.GetAudioOutput()->is_create = 1;
    mng.Reload(&project, 0);
    EXPECT_EQ(mng.GetCategory(), CProfilesMng::kCategoryAudio);
    ASSERT_GE(IndexOf(L"hifi"), 0);

    // No output made: the category stays.
    project.GetAudioOutput()->is_create = 0;
    mng.Reload(&project, 0);
    EXPECT_EQ(mng.GetCategory(), CProfilesMng::kCategoryAudio);

    // The document replaced its project: same category, but the list must
    // apply to the new one.
    CProject next;
    next.GetVideoOutput()->is_create = 0;
    next.GetAudioOutput()->is_create = 1;
    mng.Reload(&next, 0);
    ASSERT_EQ(mng.SelectProfile(IndexOf(L"hifi")), S_OK);
    EXPECT_EQ(next.GetAudioOutput()->audio_bitrate, 320);
    EXPECT_EQ(next.GetAudioOutput()->profile_name, L"Music\\hifi.vlprofile");
    EXPECT_EQ(project.GetAudioOutput()->audio_bitrate, 128);
}

}  // namespace
