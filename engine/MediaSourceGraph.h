#pragma once
// The media source (CLSID_MediaSource): a file or a DVD probed on FFmpeg and
// libdvdread. Before Open the program writes "FileName" (BSTR) and "Type"
// (I4: 0 a file, 1 a DVD: a VIDEO_TS folder, its parent or an ISO image).
// A DVD title's "FileName" is "dvdtitle:<n>:<disc path>" (Type 0).
// Settable through IEngineNode at any time: the job flags "IsVirtualFile",
// "IsVirtualVideoFile" (I4), "VirtualDuration", "IsMontageFile", "IgnoreBuild",
// "AddToJoin" (R8), "JoinSubFiles", "IncludeSubFile" (I4), the stream
// switches "IsAudio0".."IsAudio15", "IsVideo0".., "IsImage0".. (I4, 1 for
// index 0), "GalleryData" and "MontageData" (IGalleryData), and "SubFiles"
// (a collection: a disc's titles; a file or title: one copy of itself).
// After Open, read-only facts, in the property container and by name:
//   "DurationByS" R8 seconds and "StreamDuration" I8 100-ns (not for a
//   picture), "Width"/"Height" I4 stored pixels, "AspectRatio" R8 display
//   width over height (sample aspect applied), "DisplayWidth"/"DisplayHeight"
//   I4, "FrameRate" R8, "IsImage" I4 (these picture facts only when there is
//   a picture);
// and, in the container only, categories "General", then "Video" (or
// "Video: 1", "Video: 2", ... when there are several), "Audio" (likewise) or,
// for a still picture, "Image" instead of "Video"; each holds "Codec",
// picture or sound facts, "Bitrate" (kbps), "StreamID" and the switch
// "Enabled" (flag EPF_SWITCH) whose linked object is the matching
// "IsVideo%d"/"IsAudio%d"/"IsImage%d" setting. The names as constants:
// engine/MediaSourceKeys.h.
#include "engine/EngineNode.h"
#include "engine/MsgMng.h"

// Open answers this when the open goes on through ContinueOpen.
constexpr HRESULT MS_OPEN_PENDING = 4;

// Progress sink of a continued open (the program's wait dialog).
struct IProgressImpl : IUnknown {
    static constexpr const GUID& kIID = IID_IProgressImpl;
    virtual HRESULT SetRange(LONGLONG total) = 0;   // 3
    virtual HRESULT SetPos(LONGLONG pos) = 0;       // 4
    virtual HRESULT Reserved() = 0;                 // 5 does nothing
    virtual BOOL CanContinue() = 0;                 // 6 0 asks the open to stop

protected:
    ~IProgressImpl() = default;
};

struct IMediaSourceGraph : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaSourceGraph;
    // Opens "FileName": < 0 failure (its text then answers CErrorMng::IsLastError
    // on the calling thread), MS_OPEN_PENDING for a DVD whose titles are read
    // by ContinueOpen, else S_OK. A disc that opens without some of its
    // title sets (their tables are damaged) sends the text naming them, with
    // MSGF_ERROR, to handler (when given) as ContinueOpen ends; the text
    // also answers GetLastError.
    virtual HRESULT Open(IMsgHandler* handler) = 0;                                   // 3
    // Finishes a pending open, reporting progress and honouring CanContinue.
    virtual HRESULT ContinueOpen(IProgressImpl* progress) = 0;                         // 4
    // Playback (forPlayback 1) or grab (0) graph, built by the registered
    // IMediaGraphProvider; E_NOTIMPL when none is registered.
    virtual HRESULT BuildGraph(LONG forPlayback, IUnknown** graph) = 0;                // 5
    // Picture at a time into a frame record (see IMediaGraphProvider::ReadFrame).
    virtual HRESULT ReadFrame(REFERENCE_TIME time, void* record, BYTE** format, DWORD* dataSize,
                              BYTE** data) = 0;                                        // 6
    virtual HRESULT GetDuration(REFERENCE_TIME* duration) = 0;                         // 7
    virtual HRESULT IsOpen(BOOL* open) = 0;                                            // 8
    virtual HRESULT GetLastError(BSTR* text) = 0;                                      // 9
    virtual HRESULT Close() = 0;                                                       // 10
    virtual HRESULT ReleaseGraph() = 0;                                                // 11
    // After a conversion: forgets per-run state (arguments are 0).
    virtual HRESULT ResetAfterJob(LONG a, LONG b) = 0;                                 // 12

protected:
    ~IMediaSourceGraph() = default;
};

// Where the playback side plugs in: the media source forwards BuildGraph and
// ReadFrame to the provider registered here (null unregisters). The provider
// must outlive every source that uses it.
struct IMediaGraphProvider {
    virtual ~IMediaGraphProvider() = default;
    virtual HRESULT BuildGraph(IUnknown* source, LONG forPlayback, IUnknown** graph) = 0;
    // format and data are blocks the caller owns, allocated with std::malloc
    // (the provider may std::realloc them); dataSize is the data's size.
    virtual HRESULT ReadFrame(IUnknown* source, REFERENCE_TIME time, void* record, BYTE** format,
                              DWORD* dataSize, BYTE** data) = 0;
};
void SetMediaGraphProvider(IMediaGraphProvider* provider);
IMediaGraphProvider* GetMediaGraphProvider();
