#include "engine/BufferData.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

CBufferData::CBufferData() = default;

CBufferData::~CBufferData()
{
    std::free(m_buffer);
}

HRESULT CBufferData::Alloc(DWORD size, int keep)
{
    if (!keep) m_used = 0;
    if (m_buffer && size <= m_capacity) {
        m_allocated = std::max(m_allocated, size);
        return S_OK;
    }
    BYTE* grown = static_cast<BYTE*>(std::realloc(m_buffer, size ? size : 1));
    if (!grown) return E_OUTOFMEMORY;
    m_buffer = grown;
    m_capacity = size;
    m_allocated = size;
    return S_OK;
}

HRESULT CBufferData::Copy(const BYTE* bytes, DWORD length)
{
    if (length == 0) return S_OK;
    if (!bytes) return E_POINTER;
    if (length > std::numeric_limits<DWORD>::max() - m_used) return E_OUTOFMEMORY;
    const DWORD needed = m_used + length;
    // The bytes may be this buffer's own, which a growth moves.
    const bool own = m_buffer && bytes >= m_buffer && bytes < m_buffer + m_capacity;
    const size_t offset = own ? static_cast<size_t>(bytes - m_buffer) : 0;
    if (!m_buffer || needed > m_capacity) {
        // Grows by half again so repeated appends stay linear.
        const DWORD grow = m_capacity / 2 > std::numeric_limits<DWORD>::max() - needed ? 0 : m_capacity / 2;
        if (FAILED(Alloc(needed + grow, 1))) return E_OUTOFMEMORY;
        if (own) bytes = m_buffer + offset;
    }
    std::memmove(m_buffer + m_used, bytes, length);
    m_used = needed;
    return S_OK;
}

HRESULT CBufferData::Copy(const CBufferData& other)
{
    if (m_pending != 0) {
        UseBuf(m_pending);
        m_pending = 0;
    }
    return Copy(other.m_buffer, other.m_used);
}

HRESULT CBufferData::SetEOF()
{
    const BYTE zero = 0;
    return Copy(&zero, 1);
}

HRESULT CBufferData::Free()
{
    std::free(m_buffer);
    m_buffer = nullptr;
    m_capacity = 0;
    m_used = 0;
    return S_OK;
}

void CBufferData::AddSize(DWORD n)
{
    SetSize(n > m_capacity - m_used ? m_capacity : m_used + n);
}

void CBufferData::SetSize(DWORD n)
{
    m_used = n > m_capacity ? m_capacity : n;
}

void CBufferData::Clear()
{
    m_used = 0;
    m_pending = 0;
}

void CBufferData::UseBuf(DWORD n)
{
    if (!m_buffer) return;
    if (n > m_used) {
        m_used = 0;
        m_pending = 0;
        return;
    }
    std::memmove(m_buffer, m_buffer + n, m_used - n);
    m_used -= n;
}
