#include "mediaeng/core/EngineTexts.h"
#include "platform/ResourceLibrary.h"
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace mediaeng;

namespace {

std::vector<EngineTextDef> AllTexts()
{
#define KM_LIST_TEXT(name, id, english) EngineTextDef{id, english},
    return {KM_ENGINE_TEXTS(KM_LIST_TEXT)};
#undef KM_LIST_TEXT
}

// Installs the built resource folder for one test.
class ResourceScope {
public:
    ResourceScope() : m_previous(GetCurrentResourceLibrary()), m_library(CResourceLibrary::Load(KM_RES_DIR))
    {
        SetCurrentResourceLibrary(m_library.get());
    }
    ~ResourceScope() { SetCurrentResourceLibrary(m_previous); }
    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;
    const CResourceLibrary* Library() const { return m_library.get(); }

private:
    CResourceLibrary* m_previous;
    std::unique_ptr<CResourceLibrary> m_library;
};

}  // namespace

// The string table and the code's English must not drift apart: a translator
// edits the table, and a program without it falls back to the code's text.
TEST(EngineTextTest, EveryTextIsInTheStringTableUnderItsOwnId)
{
    ResourceScope res;
    ASSERT_NE(res.Library(), nullptr);
    std::set<unsigned> ids;
    for (const EngineTextDef& t : AllTexts()) {
        EXPECT_TRUE(ids.insert(t.id).second) << "id " << t.id << " is used twice";
        EXPECT_EQ(res.Library()->GetString(t.id), t.english) << "id " << t.id;
    }
}

TEST(EngineTextTest, PlaceholdersAreFilledTheSameWithAndWithoutTheTable)
{
    struct Case {
        std::wstring got;
        const wchar_t* want;
    };
    auto cases = [] {
        return std::vector<Case>{
            {EngineText(text::kEndsEarly, 7.5), L"source ends early at 7.50 s"},
            {EngineText(text::kFrameSizeChanged, 721, 481, 720, 480),
             L"The frame size 721x481 cannot be encoded; 720x480 is used."},
            // A literal percent sign in the text, and one in an argument that
            // must not be read as a placeholder.
            {EngineText(text::kBadNumberFormat, std::wstring(L"%s%d")),
             L"The number format \"%s%d\" is not valid; \"%02d\" is used."},
            {EngineText(text::kOutOfMemory), L"out of memory"},
        };
    };
    for (const Case& c : cases()) EXPECT_EQ(c.got, c.want);
    ResourceScope res;
    ASSERT_NE(res.Library(), nullptr);
    for (const Case& c : cases()) EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(EngineTextUtf8(text::kNoDecoderFor, "h264"), "no decoder for h264");
}
