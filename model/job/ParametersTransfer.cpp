#include "model/job/ParametersTransfer.h"

CParametersTransfer::CParametersTransfer()
{
    m_inputDVD.m_owner = &m_inputFiles;
}

CParametersTransfer::~CParametersTransfer()
{
    m_job = nullptr;
}

HRESULT CParametersTransfer::TransferInputs() { return E_NOTIMPL; }
HRESULT CParametersTransfer::TransferOutput() { return E_NOTIMPL; }
void CParametersTransfer::ResetMontageData() {}
