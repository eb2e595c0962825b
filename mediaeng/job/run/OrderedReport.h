#pragma once
// The messages of files converted side by side, sent as if the files had been
// converted one after another: the lines of a file wait until every file
// before it has ended, then follow in their own order; progress is the share
// of the whole batch done, one bar that only moves forward. After a stop,
// files cut short behind the first one stopped say nothing (one after
// another, they would not have started); those that ended report as usual.
//
// Threads: the files' threads record lines and progress; one thread (the
// batch's worker) sends them to the handler in Pump, so the handler hears
// from that thread alone, as with one file at a time, and no lock is held
// while it runs (it may stop the run from inside).
#include "mediaeng/job/operations/JobMessages.h"
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace mediaeng::job {

class COrderedReport {
public:
    // weights: each file's share of the bar (any positive unit).
    COrderedReport(const CJobMessages& msg, std::vector<double> weights);

    void Start(size_t file, const std::wstring& source);
    void Warning(size_t file, const std::wstring& source, const std::wstring& text);
    void Saved(size_t file, const std::wstring& output);
    void Error(size_t file, const std::wstring& source, const std::wstring& reason);
    // The file has recorded its last line; stopped when a stop cut it short.
    void End(size_t file, bool stopped);
    // share of the file done, 0 to 1.
    void Progress(size_t file, double share);

    // Sends what is ready, in order, until done() holds with nothing left to
    // send; done is asked under the report's lock, so whatever it reads must
    // change before a call of this class that wakes the sender (End does).
    void Pump(const std::function<bool()>& done);

private:
    using Send = std::function<void()>;
    struct File {
        std::vector<Send> waiting;  // lines not ready to go yet
        bool ended = false;
        bool stopped = false;
        double share = 0;
    };
    void Line(size_t file, Send send);
    void MoveHead();
    void Advance(size_t file, double share);

    const CJobMessages& m_msg;
    std::vector<double> m_weights;
    double m_total = 0;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<File> m_files;
    std::vector<Send> m_ready;  // in the order they are to be sent
    size_t m_head = 0;          // the first file that has not ended
    bool m_stopSeen = false;    // a file before the head was stopped
    double m_done = 0;          // weighted shares of all files
    double m_lastShown = 0;
};

}  // namespace mediaeng::job
