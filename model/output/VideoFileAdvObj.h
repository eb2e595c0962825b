#pragma once
// Advanced settings of the video and audio outputs: split each result into
// parts (by time, count or size) or join all sources into one. Bound under the
// owner's prefix, with a schema of its own for the advanced pane.
#include "model/output/OutputFileObj.h"

class CVideoFileAdvObj : public COutputFileObj {
public:
    CVideoFileAdvObj() = default;
    ~CVideoFileAdvObj() override;

    // Shows the switch, split and join groups that "adv_operation" needs.
    void UpdateStates() override;
    // Registers the split and join keys only; remembers no node.
    HRESULT Bind(const std::wstring& prefix, CConfigMng* node) override;
    void CreateSchema() override;
    void FillFormatList(CSchemaProperty*) override {}
    // The video join group has the still-image duration row.
    virtual void AddExtraProperty(CSchemaProperties* joinGroup);

private:
    void ShowSplit();
    void ShowJoin();
};

class CAudioFileAdvObj : public CVideoFileAdvObj {
public:
    CAudioFileAdvObj() = default;
    ~CAudioFileAdvObj() override;

    void AddExtraProperty(CSchemaProperties*) override {}
};
