// The notice that New and Open send before the old project is freed.
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "model/project/ProjectReplacedNotice.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Call {
    std::string who;
    CProject* oldProject;
    CProject* newProject;
    bool operator==(const Call&) const = default;
};

// Records each call in a shared log; an optional action runs inside the call.
class RecordingListener : public IProjectReplacedListener {
public:
    RecordingListener(std::string name, std::vector<Call>* log) : m_name(std::move(name)), m_log(log) {}
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override
    {
        m_log->push_back({m_name, oldProject, newProject});
        if (during)
            during();
    }
    std::function<void()> during;

private:
    std::string m_name;
    std::vector<Call>* m_log;
};

class ProjectReplacedNoticeTest : public ::testing::Test {
protected:
    CProjectReplacedNotice notice;
    std::vector<Call> log;
    CProject oldProject, newProject;
};

TEST_F(ProjectReplacedNoticeTest, TellsEveryListenerInOrderWithBothProjects)
{
    RecordingListener a("a", &log), b("b", &log);
    auto ra = notice.Register(&a);
    auto rb = notice.Register(&b);
    notice.NotifyProjectReplacing(&oldProject, &newProject);
    const std::vector<Call> expected{{"a", &oldProject, &newProject}, {"b", &oldProject, &newProject}};
    EXPECT_EQ(log, expected);
}

TEST_F(ProjectReplacedNoticeTest, ARegistrationEndsWithItsScopeAndCountsOnce)
{
    RecordingListener a("a", &log);
    {
        auto r1 = notice.Register(&a);
        auto r2 = std::move(r1);
        EXPECT_EQ(notice.Count(), 1u);
        {
            auto again = notice.Register(&a);  // twice: told once, kept until both end
            notice.NotifyProjectReplacing(&oldProject, &newProject);
        }
        EXPECT_EQ(log.size(), 1u);
        EXPECT_EQ(notice.Count(), 1u);
    }
    log.clear();
    EXPECT_EQ(notice.Count(), 0u);
    notice.NotifyProjectReplacing(&oldProject, &newProject);
    EXPECT_TRUE(log.empty());
    { auto none = notice.Register(nullptr); }  // a null listener is ignored
    EXPECT_EQ(notice.Count(), 0u);
}

TEST_F(ProjectReplacedNoticeTest, AListenerThatLeavesDuringTheCallIsNotCalledAfterwards)
{
    // A pane that closes on the notice takes another pane with it.
    auto b = std::make_unique<RecordingListener>("b", &log);
    RecordingListener a("a", &log), c("c", &log);
    auto ra = notice.Register(&a);
    auto rb = std::make_unique<CProjectReplacedNotice::CRegistration>(notice.Register(b.get()));
    auto rc = notice.Register(&c);
    a.during = [&] {
        rb.reset();
        b.reset();
    };
    RecordingListener late("late", &log);
    CProjectReplacedNotice::CRegistration rl;
    c.during = [&] { rl = notice.Register(&late); };
    notice.NotifyProjectReplacing(&oldProject, &newProject);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].who, "a");
    EXPECT_EQ(log[1].who, "c");
    // The one that joined during the call is told next time.
    log.clear();
    notice.NotifyProjectReplacing(&newProject, nullptr);
    const std::vector<Call> expected{{"a", &newProject, nullptr}, {"c", &newProject, nullptr},
                                     {"late", &newProject, nullptr}};
    EXPECT_EQ(log, expected);
}

TEST_F(ProjectReplacedNoticeTest, TheProfilesManagerDropsTheReplacedProject)
{
    CProfilesMng mng;
    mng.SetFolders(L"/nonexistent/shipped/", L"/nonexistent/user/");
    auto registration = notice.Register(&mng);
    mng.Reload(&oldProject, 0);
    ASSERT_EQ(mng.m_project, &oldProject);
    ASSERT_FALSE(mng.Entries().empty());

    // Another project going away is not its business.
    CProject unrelated;
    notice.NotifyProjectReplacing(&unrelated, &newProject);
    EXPECT_EQ(mng.m_project, &oldProject);

    notice.NotifyProjectReplacing(&oldProject, &newProject);
    EXPECT_EQ(mng.m_project, nullptr);
    EXPECT_TRUE(mng.Entries().empty());
    EXPECT_NE(mng.SelectProfile(0), S_OK);

    // The next load builds the list again, for the new project.
    mng.Reload(&newProject, 0);
    EXPECT_EQ(mng.m_project, &newProject);
    ASSERT_FALSE(mng.Entries().empty());
    EXPECT_EQ(mng.Entries()[0]->m_name, L"Custom");
}

}  // namespace
