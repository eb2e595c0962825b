#pragma once
// A growable byte buffer of the engine: bytes are appended at the end and
// consumed from the front; a consume may be left pending until the next copy
// from another buffer.
#include "platform/Types.h"

class CBufferData {
public:
    CBufferData();
    ~CBufferData();
    CBufferData(const CBufferData&) = delete;
    CBufferData& operator=(const CBufferData&) = delete;

    // Makes room for size bytes; keep != 0 keeps the bytes held, else the
    // buffer is emptied. E_OUTOFMEMORY leaves it as it was.
    HRESULT Alloc(DWORD size, int keep);
    // Appends length bytes.
    HRESULT Copy(const BYTE* bytes, DWORD length);
    // Drops the pending consume, then appends the other buffer's bytes.
    HRESULT Copy(const CBufferData& other);
    // Appends one zero byte.
    HRESULT SetEOF();
    // Frees the memory; the allocated size is still reported.
    HRESULT Free();
    // Used size changes, never beyond the memory held.
    void AddSize(DWORD n);
    void SetSize(DWORD n);
    BYTE* GetBuffer() const { return m_buffer; }
    BYTE* GetCurBuf() const { return m_buffer ? m_buffer + m_used : nullptr; }
    DWORD GetSize() const { return m_used; }
    DWORD GetAllocBufferSize() const { return m_allocated; }
    // Empties the buffer, keeping its memory.
    void Clear();
    // Drops n bytes from the front.
    void UseBuf(DWORD n);
    void SetPendingConsume(DWORD n) { m_pending = n; }
    DWORD GetPendingConsume() const { return m_pending; }

private:
    BYTE* m_buffer = nullptr;
    DWORD m_used = 0;
    DWORD m_allocated = 0;
    DWORD m_capacity = 0;  // bytes actually held by m_buffer
    DWORD m_pending = 0;
};
