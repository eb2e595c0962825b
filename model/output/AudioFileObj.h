#pragma once
// The audio output's settings ("audio_file"): format, audio options and the
// split and join settings of its advanced member.
#include "model/output/OutputFileObj.h"
#include "model/output/VideoFileAdvObj.h"

class CAudioFileObj : public COutputFileObj {
public:
    CAudioFileObj();
    ~CAudioFileObj() override;

    // The format rule, the audio codec list and options, then the advanced states.
    void UpdateStates() override;
    // The common keys, the seven audio keys, then the advanced member's.
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void CreateSchema() override;
    void FillFormatList(CSchemaProperty* property) override;

    CAudioFileAdvObj m_adv;
};
