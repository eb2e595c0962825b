#include "model/grab/FakeCallback.h"

HRESULT CFakeCallback::QueryInterface(REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
        *out = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG CFakeCallback::AddRef()
{
    return static_cast<ULONG>(++m_ref);
}

ULONG CFakeCallback::Release()
{
    return static_cast<ULONG>(--m_ref);
}

HRESULT CFakeCallback::SampleCB(double time, IMediaSample* sample)
{
    if (!sample) return E_POINTER;
    BYTE* buffer = nullptr;
    sample->GetPointer(&buffer);
    AddSample(time, buffer, sample->GetActualDataLength());
    return S_OK;
}

HRESULT CFakeCallback::BufferCB(double, BYTE*, LONG)
{
    return S_OK;
}

void CFakeCallback::AddSample(double, BYTE*, LONG) {}
