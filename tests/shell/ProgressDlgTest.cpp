// The "Please wait..." dialog of a slow source open: the worker that ends
// before the dialog is due, and the one that closes it while it is up.
#include "wx/WxTestSupport.h"
#include "shell/ProgressDlg.h"
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include <wx/gauge.h>
#include <wx/timer.h>

namespace {

TEST(ProgressDlg, WorkerThatEndedBeforeTheDialogLeavesNoWindow)
{
    CProgressDlg dlg;
    std::thread worker([&] { dlg.Close(); });
    worker.join();
    dlg.DoModal();  // returns at once
    EXPECT_FALSE(dlg.IsShown());
    EXPECT_EQ(dlg.GetWindow(), nullptr);
    kmtest::PumpFor(std::chrono::milliseconds(20));  // the posted close finds nothing
}

TEST(ProgressDlg, WorkerClosesTheDialogOnceItIsUp)
{
    CProgressDlg dlg;
    IProgressImpl* sink = dlg.GetProgress();
    std::atomic<bool> cancelSeen{false};
    std::thread worker([&] {
        while (!dlg.IsShown()) std::this_thread::yield();
        sink->SetRange(1000);
        sink->SetPos(500);
        sink->SetPos(505);  // still 50 %: the bar is not told again
        sink->SetPos(1000);
        // The user's Cancel only asks the worker to stop.
        while (sink->CanContinue()) std::this_thread::yield();
        cancelSeen = true;
        dlg.Close();
    });
    // Press Cancel once the window is up, from the window thread.
    wxTimer press;
    press.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (wxDialog* w = dlg.GetWindow(); w && dlg.IsShown()) {
            press.Stop();
            EXPECT_TRUE(w->IsShown());
            if (auto* bar = dynamic_cast<wxGauge*>(w->FindWindow(CProgressDlg::kProgressBarId))) {
                EXPECT_EQ(bar->GetRange(), 100);
            }
            wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
            w->ProcessWindowEvent(cancel);
            EXPECT_TRUE(w->IsShown());  // still up until the worker closes it
        }
    });
    press.Start(10);
    dlg.DoModal();
    worker.join();
    EXPECT_TRUE(cancelSeen);
    EXPECT_FALSE(dlg.IsShown());
    EXPECT_EQ(dlg.CanContinue(), 0);
    EXPECT_EQ(dlg.BarUpdates(), 2);  // 50 % and 100 %
}

TEST(ProgressDlg, PositionWithoutRangeMovesNothing)
{
    CProgressDlg dlg;
    EXPECT_EQ(dlg.SetPos(10), S_OK);
    EXPECT_EQ(dlg.BarUpdates(), 0);
    EXPECT_NE(dlg.CanContinue(), 0);
}

}  // namespace
