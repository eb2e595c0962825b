#pragma once
// The project's inputs and the copy of them, and of the active output's
// settings, into the engine's conversion job; also the reset of the sources'
// montage state after a run.
//
// Contract with CProject (which derives through CRunManager):
//  - CProject implements the CProfileImpl accessors (its three outputs) and
//    registers "source_type" (&m_sourceType), the folder and DVD parameters
//    and the groups 1 to 5 over the inputs below in its constructor;
//  - the output objects are read through OutputSettings, AdvancedSettings and
//    TransferEditing, whose defaults (OutputAccess.cpp) reach the members of
//    CVideoFileObj, CAudioFileObj and CImageFileObj; CProject need not
//    override them;
//  - the active output is found here in the usual order (video, image, audio
//    by "is_create"), so CProject::GetActiveOutput and the transfer agree.
#include "engine/ConversionJob.h"
#include "model/config/ConfigMng.h"
#include "model/job/JobSourceList.h"
#include "model/job/ProfileImpl.h"
#include "model/source/Files.h"
#include "model/source/InputDVD.h"
#include "model/source/InputFolder.h"
#include <string>
#include <vector>

class CParametersObj;
class CFolderWalk;

class CParametersTransfer : public CConfigMng, public CProfileImpl {
public:
    // Values of "source_type".
    enum : int32_t { kSourceFiles = 0, kSourceFolder = 1, kSourceDVD = 2 };
    enum EOutputKind : int { kNoOutput = -1, kVideoOutput = 0, kAudioOutput = 1, kImageOutput = 2 };

    CParametersTransfer();
    ~CParametersTransfer() override;

    // Hands the entries of the current source type to the job's "Files" node
    // with their flags, then the gallery timing and stream choices. S_OK when
    // at least one source was handed over, else a failure (logged). A source
    // that has no media object, whose open failed or that the job refused is
    // left out with a log line naming it; so is one of known duration with an
    // empty trim range (end not after start) while the ranges apply, rather
    // than an empty file.
    HRESULT TransferInputs();
    // Writes the active output into the job's first format node. S_OK when
    // written; a failure (logged) when there is no active output or no format.
    HRESULT TransferOutput();
    // After a stop or the end of a run: unlinks every source handed to the job
    // and the file list's sources, and clears their montage state.
    void ResetMontageData();

    // Video, else image, else audio, by "is_create"; kNoOutput when none.
    EOutputKind ActiveOutputKind();
    // The job's first format node with a reference, or null. Always S_OK.
    HRESULT GetFormatNode(IUnknown** formatNode);
    HRESULT TransferGalleries(const CJobSourceList& sources);
    HRESULT TransferStreamFlags(const CJobSourceList& sources);
    static CKMFile* FindSourceEntry(const CJobSourceList& sources, IUnknown* media);
    // The per-source flags a transfer starts from; a null source writes nothing.
    static void ResetSourceFlags(IUnknown* source);
    // Points a chapter's source at the source that owns its title.
    static void RelinkTitleSource(CKMFile* entry);

    // Settings writers, each onto one engine node (a missing name is skipped).
    static void TransferCommonOutput(const CParametersObj& output, IUnknown* formatNode);
    // aspect: the frame object's aspect value (the image output has none: 0).
    static void TransferFrameSize(const CParametersObj& output, int32_t aspect, IUnknown* formatNode);
    static void TransferVideoStreams(const CParametersObj& video, IUnknown* formatNode);
    static void TransferVideoSettings(const CParametersObj& video, IUnknown* formatNode);
    void TransferVideoSplitJoin(const CParametersObj& advanced, IUnknown* formatNode);
    // May set the output's "audio_precision" to 16 (only format 20 keeps it).
    static void TransferAudioSettings(CParametersObj& audio, IUnknown* formatNode);
    static void TransferAudioSplitJoin(const CParametersObj& advanced, IUnknown* formatNode);
    static void TransferImageSettings(const CParametersObj& image, IUnknown* formatNode);
    static void TransferImageSplit(const CParametersObj& advanced, IUnknown* formatNode);

    CInputFiles& InputFiles() { return m_inputFiles; }
    CInputFolder& InputFolder() { return m_inputFolder; }
    CInputDVD& InputDVD() { return m_inputDVD; }

    int32_t m_sourceType = 0;
    // The conversion job while one exists (see CRunManager).
    ComPtr<IConversionJob> m_job;

protected:
    // The parameter block of an output object and of its advanced member.
    virtual CParametersObj* OutputSettings(EOutputKind kind);
    virtual CParametersObj* AdvancedSettings(EOutputKind kind);
    // The visual output's watermarks, filters, crop and eraser write
    // themselves into the format node; the audio output has none.
    virtual void TransferEditing(EOutputKind kind, IUnknown* formatNode);

    // Sources handed to the current job, kept until ResetMontageData.
    std::vector<ComPtr<IUnknown>> m_handedSources;

    CInputFiles m_inputFiles;
    CInputFolder m_inputFolder;
    CInputDVD m_inputDVD;

private:
    void CollectInputEntries(std::vector<CKMFile*>& entries, CFolderWalk& walk);
    ComPtr<IUnknown> OpenEntrySource(CKMFile* entry);
    void WriteStillImageFlags(IUnknown* source);
    static void ResetSourceAfterJob(IUnknown* source);
    // The active output is split: the trim ranges are not applied then.
    bool SplitsOutput();
    static bool HasEmptyRange(CKMFile* entry);
    void TransferGalleryTiming(IUnknown* formatNode, IUnknown* profile, const CJobSourceList& sources);
};
