#include "model/job/ParametersTransfer.h"
#include "engine/MediaSourceKeys.h"
#include "model/job/JobMessages.h"
#include "model/schema/ParametersObj.h"
#include "model/source/PropertyAccess.h"
#include <string>

void RegisterJobMessageArgs()
{
    CMsgMng::SetMessageArgs(kMsgSourceSkipped, "s");
    CMsgMng::SetMessageArgs(kMsgEmptyTrimRange, "s");
    CMsgMng::SetMessageArgs(kMsgSourceSkippedWhy, "ss");
    CMsgMng::SetMessageArgs(kMsgRunConverted, "dd");
    CMsgMng::SetMessageArgs(kMsgRunLeftOut, "d");
    CMsgMng::SetMessageArgs(kMsgRunShortened, "d");
}

CParametersTransfer::CParametersTransfer()
{
    RegisterJobMessageArgs();
    m_inputDVD.m_owner = &m_inputFiles;
}

CParametersTransfer::~CParametersTransfer()
{
    m_handedSources.clear();
    m_job = nullptr;
}

CParametersTransfer::EOutputKind CParametersTransfer::ActiveOutputKind()
{
    for (EOutputKind kind : {kVideoOutput, kImageOutput, kAudioOutput}) {
        const CParametersObj* settings = OutputSettings(kind);
        if (settings && settings->is_create) return kind;
    }
    return kNoOutput;
}

HRESULT CParametersTransfer::TransferOutput()
{
    ComPtr<IUnknown> format;
    GetFormatNode(format.ReleaseAndGetAddressOf());
    const EOutputKind kind = ActiveOutputKind();
    if (kind == kNoOutput) {
        SendMsgError(kMsgNoActiveOutput);
        return E_FAIL;
    }
    if (!format) {
        SendMsgError(kMsgNoFormatNode);
        return E_FAIL;
    }
    CParametersObj& output = *OutputSettings(kind);
    const CParametersObj* advanced = AdvancedSettings(kind);
    TransferCommonOutput(output, format.Get());
    switch (kind) {
    case kVideoOutput:
        TransferVideoSettings(output, format.Get());
        if (advanced) TransferVideoSplitJoin(*advanced, format.Get());
        break;
    case kAudioOutput:
        TransferAudioSettings(output, format.Get());
        if (advanced) TransferAudioSplitJoin(*advanced, format.Get());
        break;
    case kImageOutput:
        TransferImageSettings(output, format.Get());
        if (advanced) TransferImageSplit(*advanced, format.Get());
        break;
    default: break;
    }
    TransferEditing(kind, format.Get());
    return S_OK;
}

namespace {
// An object's identity: its IUnknown, whichever interface it was reached by.
ComPtr<IUnknown> Identity(IUnknown* object)
{
    ComPtr<IUnknown> id;
    if (object) object->QueryInterface(IID_IUnknown, id.ReleaseAndGetVoidAddress());
    return id;
}
}  // namespace

CKMFile* CParametersTransfer::FindSourceEntry(const CJobSourceList& sources, IUnknown* media)
{
    const ComPtr<IUnknown> id = Identity(media);
    if (!id) return nullptr;
    for (const CJobSource& s : sources)
        if (Identity(s.media.Get()) == id) return s.entry;
    return nullptr;
}

HRESULT CParametersTransfer::TransferStreamFlags(const CJobSourceList& sources)
{
    for (const CJobSource& s : sources) {
        for (int n = 0; n < CKMFile::kStreamSlots; ++n) {
            const auto set = [&](const wchar_t* list, int32_t flag) {
                SetSourceProperty(s.media.Get(), sourcekey::StreamSwitch(list, n).c_str(), CVariant(flag));
            };
            set(sourcekey::IsAudio, s.entry->m_audioFlags[n]);
            set(sourcekey::IsVideo, s.entry->m_videoFlags[n]);
            set(sourcekey::IsImage, s.entry->m_imageFlags[n]);
        }
    }
    return S_OK;
}
