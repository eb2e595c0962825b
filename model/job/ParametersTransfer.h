#pragma once
// The project's inputs and the copy of them, and of the active output's
// settings, into the engine's conversion job; also the reset of the sources'
// montage state after a run.
//
// Contract with CProject (which derives through CRunManager):
//  - CProject implements the CProfileImpl accessors (its three outputs) and
//    registers "source_type" (&m_sourceType), the folder and DVD parameters
//    and the groups 1 to 5 over the inputs below in its constructor;
//  - the active output is found here in the usual order (video, image, audio
//    by "is_create"), so CProject::GetActiveOutput and the transfer agree.
#include "model/config/ConfigMng.h"
#include "model/job/JobSourceList.h"
#include "model/job/ProfileImpl.h"
#include "model/source/Files.h"
#include "model/source/InputDVD.h"
#include "model/source/InputFolder.h"
#include "engine/ConversionJob.h"
#include <string>
#include <vector>

class CParametersObj;

class CParametersTransfer : public CConfigMng, public CProfileImpl {
public:
    // Values of "source_type".
    enum : int32_t { kSourceFiles = 0, kSourceFolder = 1, kSourceDVD = 2 };

    CParametersTransfer();
    ~CParametersTransfer() override;

    // Hands the entries of the current source type to the job's "Files" node
    // with their flags, then the gallery timing and stream choices. S_OK when
    // at least one source was handed over, else a failure (logged).
    HRESULT TransferInputs();
    // Writes the active output into the job's first format node. S_OK when
    // written; a failure (logged) when there is no active output or no format.
    HRESULT TransferOutput();
    // After a stop or the end of a run: unlinks every source handed to the job
    // and the file list's sources, and clears their montage state.
    void ResetMontageData();

    // The job's first format node with a reference, or null. Always S_OK.
    HRESULT GetFormatNode(IUnknown** formatNode);
    HRESULT TransferGalleries(const CJobSourceList& sources);
    HRESULT TransferStreamFlags(const CJobSourceList& sources);
    static CKMFile* FindSourceEntry(const CJobSourceList& sources, IUnknown* media);
    // The per-source flags a transfer starts from; a null source writes nothing.
    static void ResetSourceFlags(IUnknown* source);

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
    // Sources handed to the current job, kept until ResetMontageData.
    std::vector<ComPtr<IUnknown>> m_handedSources;

    CInputFiles m_inputFiles;
    CInputFolder m_inputFolder;
    CInputDVD m_inputDVD;
};
