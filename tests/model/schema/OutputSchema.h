#pragma once
// An output schema with the system, video, audio and image groups on the
// engine's codec lists and no settings store behind it.
#include "model/schema/SchemaImpl.h"

class OutputSchema : public CSchemaImpl {
public:
    OutputSchema()
    {
        CreateSystem();
        CreateVideo();
        CreateAudio();
        CreateImage(0);
    }
    void UpdateStates() override {}
    HRESULT GetValue(const wchar_t*, VARIANT*) override { return S_OK; }
    HRESULT SetValue(const wchar_t*, VARIANT) override { return S_OK; }
};
