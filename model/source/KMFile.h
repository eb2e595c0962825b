#pragma once
// One source entry of the project: its trim ranges, the stream choices of the
// three media kinds, and what the preview player keeps on it. Entries are
// shared between their list and the player's frame grabber: each holds a
// reference and the entry is deleted once, when the last of them lets go.
#include "engine/MediaSourceKeys.h"
#include "model/source/KMChapter.h"
#include "model/source/TimelineObj.h"
#include <atomic>
#include <memory>
#include <vector>

class CKMFile;

// Lets go of the holder's reference to an entry.
struct CKMFileReleaser {
    void operator()(CKMFile* entry) const;
};
using CKMFilePtr = std::unique_ptr<CKMFile, CKMFileReleaser>;

// The first frame the player grabbed at position 0.
struct CStreamInfo {
    uint32_t formatSize = 0;
    std::vector<uint8_t> format;
    uint32_t dataSize = 0;
    std::vector<uint8_t> data;
};

class CKMFile : public CKMChapter {
public:
    // The stream choices are the source's stream switches, under their names.
    static constexpr int kStreamSlots = sourcekey::kStreamSwitches;

    // New entries start with one reference, the creator's.
    static CKMFilePtr Create();
    static CKMFilePtr Create(const std::wstring& path, int sourceType);
    // A title of a DVD: the media object becomes the own source and its facts
    // and "unique_file_id" are read at once.
    static CKMFilePtr Create(IUnknown* media);

    // Reference counting, callable from any thread.
    void AddRefEntry();
    void ReleaseEntry();

    // The frame grabber's side. While it holds requests for the entry it holds
    // a grab reference; it drops pending requests of a removed entry.
    void GrabAddRef();
    void GrabRelease();
    int GetGrabRef() const { return m_grabRef.load(); }
    bool IsAlive() const { return m_alive.load(); }
    bool IsRemoved() const { return m_removed.load(); }
    // Called by the owning list when it takes the entry out, and when it lets go.
    void MarkRemoved() { m_removed.store(true); }
    void MarkNotAlive() { m_alive.store(false); }

    // Player caches.
    void SetStreamInfo(uint32_t formatSize, const void* format, uint32_t dataSize, const void* data);
    void ResetStreamInfo();
    void FreeStreamInfo();
    const CStreamInfo* GetStreamInfo() const { return m_streamInfo.get(); }

    // Trim ranges of the current timeline (index clamped to the list).
    int64_t GetStartTime();
    int64_t GetEndTime();
    void SetStartTime(int64_t t);
    void SetEndTime(int64_t t);
    void AddTimeline(int64_t start);
    void RemoveTimeline();

    // After the grid stored key on node: at most that flag of its list stays set.
    static void CopyStreamFlags(CConfigMng* node, const std::wstring& key);
    static void ClearOtherListFlags(CConfigMng* node, const std::wstring& list, const std::wstring& key);

    int64_t m_resumePosition = 0;
    CTimelinesObj m_timelines;
    int32_t m_currentTimeline = 0;
    int32_t m_timelineBehavior = 0;
    int32_t m_audioFlags[kStreamSlots] = {1};
    int32_t m_videoFlags[kStreamSlots] = {1};
    int32_t m_imageFlags[kStreamSlots] = {1};
    int32_t m_keepMark = 0;
    int32_t m_frameError = 0;
    int64_t m_currentPosition = 0;

protected:
    ~CKMFile() override;

private:
    CKMFile();
    CKMFile(const std::wstring& path, int sourceType);
    explicit CKMFile(IUnknown* media);
    void RegisterKeys();
    // The current range, with the index clamped; null for an empty list.
    CTimelineObj* CurrentRange();
    CTimelineObj* AppendRange(int64_t start, int64_t end);

    std::unique_ptr<CStreamInfo> m_streamInfo;
    std::atomic<int> m_refs{1};
    std::atomic<int> m_grabRef{0};
    std::atomic<bool> m_alive{true};
    std::atomic<bool> m_removed{false};
};
