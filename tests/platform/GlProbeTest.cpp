#include "platform/GlProbe.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::optional<std::string> GdkGl()
{
    const char* value = std::getenv("GDK_GL");
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// Puts GDK_GL back as the test found it.
class GlProbeTest : public ::testing::Test {
protected:
    void SetUp() override { m_before = GdkGl(); }
    void TearDown() override
    {
        if (m_before)
            setenv("GDK_GL", m_before->c_str(), 1);
        else
            unsetenv("GDK_GL");
    }

private:
    std::optional<std::string> m_before;
};

TEST_F(GlProbeTest, SkipsTheCheckUntilRestoredThenLeavesNoTrace)
{
    unsetenv("GDK_GL");
    {
        KM::CGlProbeSkip skip;
        EXPECT_EQ(GdkGl(), "disable");
        skip.Restore();
        EXPECT_EQ(GdkGl(), std::nullopt);
        skip.Restore();  // twice is harmless
        EXPECT_EQ(GdkGl(), std::nullopt);
    }
    {
        KM::CGlProbeSkip skip;  // never restored: its end does it
    }
    EXPECT_EQ(GdkGl(), std::nullopt);
}

TEST_F(GlProbeTest, KeepsTheUsersOwnSetting)
{
    setenv("GDK_GL", "always", 1);
    {
        KM::CGlProbeSkip skip;
        EXPECT_EQ(GdkGl(), "always");
        skip.Restore();
        EXPECT_EQ(GdkGl(), "always");
    }
    EXPECT_EQ(GdkGl(), "always");
}

}  // namespace
