// The profiles shipped beside the program: every entry names a setting, and
// every value survives the engine's lists once applied.
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "platform/ResourceLibrary.h"
#include "platform/TextConv.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

size_t EntriesInFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return static_cast<size_t>(std::count(text.begin(), text.end(), ';'));
}

struct Category {
    const char* folder;
    int video, image, audio;
};

void PrintTo(const Category& c, std::ostream* os) { *os << c.folder; }

class ShippedProfiles : public ::testing::TestWithParam<Category> {};

TEST_P(ShippedProfiles, EveryValueIsKnownAndKeptByTheOutput)
{
    auto library = CResourceLibrary::Load(KM_RES_DIR);
    ASSERT_NE(library, nullptr);
    CResourceLibrary* previous = GetCurrentResourceLibrary();
    SetCurrentResourceLibrary(library.get());

    const Category& c = GetParam();
    fs::path shipped = fs::path(KM_RES_DIR) / ".." / "Profiles";
    fs::path noUser = fs::path(std::getenv("KM_TEST_DIR")) / "no-user-profiles";
    CProject project;
    project.GetVideoOutput()->is_create = c.video;
    project.GetImageOutput()->is_create = c.image;
    project.GetAudioOutput()->is_create = c.audio;
    CProfilesMng mng;
    mng.SetFolders(Utf8ToWide(shipped.string()) + L"/", Utf8ToWide(noUser.string()) + L"/");
    mng.Reload(&project, 1);

    size_t profiles = 0;
    for (size_t i = 0; i < mng.Entries().size(); ++i) {
        const CProfileEntry& entry = *mng.Entries()[i];
        if (entry.m_groupHeader || entry.m_name == L"Custom") continue;
        ++profiles;
        SCOPED_TRACE(WideToUtf8(entry.GetRelativePath()));
        std::wstring relative = entry.GetRelativePath();
        ASSERT_FALSE(relative.empty());
        std::replace(relative.begin(), relative.end(), L'\\', L'/');
        fs::path file = entry.m_inGroup ? shipped / c.folder / WideToUtf8(relative) : shipped / WideToUtf8(relative);
        EXPECT_EQ(entry.m_values.size(), EntriesInFile(file));

        ASSERT_EQ(mng.SelectProfile(i), S_OK);
        COutputFileObj* output = project.GetActiveOutput();
        output->UpdateStates();
        for (const auto& [name, value] : entry.m_values) {
            CVariant now;
            ASSERT_EQ(project.GetParamVariant(name, &now), S_OK) << WideToUtf8(name);
            if (value.vt == VT_BSTR)
                EXPECT_EQ(now.AsString(), value.AsString()) << WideToUtf8(name);
            else
                EXPECT_EQ(now.AsInt(), value.AsInt()) << WideToUtf8(name);
        }
    }
    EXPECT_GE(profiles, 8u);
    SetCurrentResourceLibrary(previous);
}

INSTANTIATE_TEST_SUITE_P(Categories, ShippedProfiles,
                         ::testing::Values(Category{"Video", 1, 0, 0}, Category{"Image", 0, 1, 0},
                                           Category{"Audio", 0, 0, 1}),
                         [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
