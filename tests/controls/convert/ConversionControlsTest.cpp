// The conversion page's controls: the progress panel's percentage and paint,
// the log's colours, links, clearing and lines from other threads, and the
// tray's tooltip rules.
#include "wx/WxTestSupport.h"
#include "controls/ids/CommandIds.h"
#include "controls/ResTestLibrary.h"
#include "controls/convert/ConvertProgressCtrl.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/convert/SystemTray.h"
#include "platform/LogLinkText.h"
#include <gtest/gtest.h>
#include <thread>
#include <wx/frame.h>

namespace {

struct FrameOwner {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "conversion", wxDefaultPosition, wxSize(500, 300));
    ~FrameOwner() { frame->Destroy(); }
};

TEST(ConvertProgress, PercentFollowsTheTableOfCases)
{
    struct Case { int pos, max, expected; } cases[] = {
        {0, 100, 0}, {1, 1000, 1}, {1000, 1000, 100}, {150, 100, 100}, {5, 0, 0}, {50, 200, 25}, {-5, 100, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CConvertProgressCtrl::Percent(c.pos, 0, c.max), c.expected) << c.pos << "/" << c.max;
}

TEST(ConvertProgress, PaintsTheFilledPartAndTheFilesLine)
{
    ResTestLibrary res;
    FrameOwner owner;
    auto* bar = new CConvertProgressCtrl;
    ASSERT_TRUE(bar->Create(owner.frame));
    bar->SetSize(0, 0, 400, 100);
    owner.frame->Show();
    bar->m_nMax = 100;
    bar->m_nPos = 50;
    bar->m_nFilesDone = 3;
    bar->SetText(L"clip.mp4");
    EXPECT_TRUE(bar->FilesLine().EndsWith("  clip.mp4"));
    EXPECT_TRUE(bar->FilesLine().Contains("3"));
    wxImage shot = kmtest::PaintToImage(*bar);
    ASSERT_TRUE(shot.IsOk());
    auto isFill = [](const wxColour& c) { return c.Blue() > 150 && c.Red() < 150; };
    EXPECT_TRUE(isFill(kmtest::PixelAt(shot, 100, 15)));   // left half filled
    EXPECT_FALSE(isFill(kmtest::PixelAt(shot, 370, 15)));  // right half empty
    kmtest::SaveWindowPng(*bar, "conversion-progress");
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = new COutputRichEditCtrl([this](const SLink& l) { clicked.push_back(l); });
        ASSERT_TRUE(log->Create(owner.frame));
        log->SetSize(0, 0, 480, 280);
        owner.frame->Show();
    }
    void Settle(long length)
    {
        ASSERT_TRUE(kmtest::PumpUntil([&] { return log->GetLastPosition() == length; })) << log->GetValue();
    }

    FrameOwner owner;
    COutputRichEditCtrl* log = nullptr;
    std::vector<SLink> clicked;
};

TEST_F(LogTest, ALinkShowsItsTextAndKeepsItsTargetAndEachKindHasItsColour)
{
    log->AddMessage(L"Saved " + EncodeLogLink(L"a.mp4", L"/out/a.mp4", 0), 0);
    log->AddMessage(L"\n", 0);
    log->AddMessage(L"careful\n", 1);
    log->AddMessage(L"broken\n", 2);
    const wxString expected = "Saved a.mp4\ncareful\nbroken\n";
    Settle(static_cast<long>(expected.size()));
    EXPECT_EQ(log->GetValue(), expected);
    ASSERT_EQ(log->Links().size(), 1u);
    EXPECT_EQ(log->Links()[0].text, L"a.mp4");
    EXPECT_EQ(log->Links()[0].target, L"/out/a.mp4");
    EXPECT_EQ(log->Links()[0].position, 6);
    ASSERT_NE(log->LinkAt(8), nullptr);
    EXPECT_EQ(log->LinkAt(2), nullptr);

    struct Case { long at; wxColour colour; } colours[] = {
        {1, *wxBLACK}, {13, COutputRichEditCtrl::KindColour(1)}, {21, COutputRichEditCtrl::KindColour(2)},
    };
    for (const Case& c : colours) {
        wxTextAttr attr;
        ASSERT_TRUE(log->GetStyle(c.at, attr));
        EXPECT_EQ(attr.GetTextColour(), c.colour) << c.at;
    }
}

TEST_F(LogTest, ClearingDropsTheLinksButKeepsLinesAddedAfterIt)
{
    log->AddMessage(EncodeLogLink(L"x", L"/x", 0) + L"\n", 0);
    log->PostClear();
    log->AddMessage(L"after\n", 0);
    Settle(6);
    kmtest::PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(log->GetValue(), "after\n");
    EXPECT_TRUE(log->Links().empty());
}

TEST_F(LogTest, LinesFromAnotherThreadArriveInOrder)
{
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            log->AddMessage(std::to_wstring(i % 10) + L"\n", 0);
    });
    worker.join();
    Settle(100);
    wxString expected;
    for (int i = 0; i < 50; ++i)
        expected << (i % 10) << "\n";
    EXPECT_EQ(log->GetValue(), expected);
}

TEST(SystemTray, NothingHappensBeforeTheIconIsMadeAndTipsAreCut)
{
    std::vector<int> commands;
    CSystemTray tray([&](int c) { commands.push_back(c); });
    EXPECT_FALSE(tray.SetTooltipText(L"50 %"));  // not enabled yet
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_TRUE(tray.IsHidden());
    if (tray.Create(wxIcon())) {
        EXPECT_FALSE(tray.IsHidden());
        EXPECT_TRUE(tray.SetTooltipText(std::wstring(300, L'x')));
        EXPECT_EQ(tray.GetTooltipText().size(), CSystemTray::kMaxTip);
        EXPECT_TRUE(tray.RemoveIcon());
    } else {
        EXPECT_FALSE(tray.IsAvailable() && !tray.IsHidden());
        EXPECT_TRUE(tray.IsHidden());
    }
    EXPECT_EQ(tray.OnDoubleClick(), KM::Cmd::TrayRestore);
    EXPECT_EQ(commands, std::vector<int>{KM::Cmd::TrayRestore});
}

// Stands in for the notification area: says whether it has one and whether
// an icon goes in, and keeps what it shows.
class FakeTrayHost : public ITrayIconHost {
public:
    FakeTrayHost(bool available, bool adds) : m_available(available), m_adds(adds) {}
    bool IsAvailable() const override { return m_available; }
    bool SetIcon(const wxIcon&, const std::wstring& tip) override
    {
        if (!m_adds)
            return false;
        shown = true;
        tips.push_back(tip);
        return true;
    }
    bool RemoveIcon() override { return !(shown = false); }

    bool shown = false;
    std::vector<std::wstring> tips;

private:
    bool m_available, m_adds;
};

TEST(SystemTray, TheIconGoesInOnlyWhereItCanAndItsMenuCommandsArrive)
{
    FakeTrayHost* host = nullptr;
    CSystemTray::HostFactory previous = CSystemTray::SetHostFactory([&](CSystemTray&) {
        auto made = std::make_unique<FakeTrayHost>(true, true);
        host = made.get();
        return made;
    });
    {
        std::vector<int> commands;
        CSystemTray tray([&](int c) { commands.push_back(c); });
        ASSERT_NE(host, nullptr);
        ASSERT_TRUE(tray.Create(wxIcon()));
        EXPECT_FALSE(tray.IsHidden());
        EXPECT_TRUE(tray.SetTooltipText(L"42 %"));
        EXPECT_EQ(host->tips.back(), L"42 %");
        EXPECT_EQ(tray.OnMenuCommand(KM::Cmd::TrayStopAndExit), KM::Cmd::TrayStopAndExit);
        EXPECT_EQ(tray.OnMenuCommand(12345), 0);
        EXPECT_EQ(commands, std::vector<int>{KM::Cmd::TrayStopAndExit});
        EXPECT_TRUE(tray.RemoveIcon());
        EXPECT_FALSE(host->shown);
    }
    CSystemTray::SetHostFactory([](CSystemTray&) { return std::make_unique<FakeTrayHost>(true, false); });
    {
        CSystemTray tray([](int) {});
        EXPECT_FALSE(tray.Create(wxIcon()));  // a notification area that refused the icon
        EXPECT_TRUE(tray.IsHidden());
    }
    CSystemTray::SetHostFactory(std::move(previous));
}

}  // namespace
