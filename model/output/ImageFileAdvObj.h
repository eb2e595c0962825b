#pragma once
// Advanced settings of the image output: extract still images from video, at
// one start position or as a series split by time or by count.
#include "model/output/OutputFileObj.h"

class CImageFileAdvObj : public COutputFileObj {
public:
    CImageFileAdvObj() = default;
    ~CImageFileAdvObj() override;

    void UpdateStates() override;
    // Registers the extraction keys only; remembers no node.
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void CreateSchema() override;
    void FillFormatList(CSchemaProperty*) override {}
};
