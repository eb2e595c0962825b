#pragma once
// Reference-counted interfaces queried by interface id, and the smart pointer
// and object base that keep every reference balanced.
#include "platform/Guid.h"
#include <atomic>
#include <type_traits>
#include <utility>

// {00000000-0000-0000-C000-000000000046}
constexpr GUID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Slots 0..2 of every engine interface.
struct IUnknown {
    static constexpr const GUID& kIID = IID_IUnknown;
    virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;  // objects are destroyed through Release only
};

// Owning interface pointer: AddRef on copy, Release on destruction.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    explicit ComPtr(T* p, bool addRef = true) : m_p(p)
    {
        if (m_p && addRef) m_p->AddRef();
    }
    ComPtr(const ComPtr& o) : m_p(o.m_p)
    {
        if (m_p) m_p->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(const ComPtr<U>& o) : m_p(o.Get())
    {
        if (m_p) m_p->AddRef();
    }
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& o)
    {
        ComPtr tmp(o);
        Swap(tmp);
        return *this;
    }
    ComPtr& operator=(ComPtr&& o) noexcept
    {
        ComPtr tmp(std::move(o));
        Swap(tmp);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        Reset();
        return *this;
    }

    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    void Swap(ComPtr& o) noexcept { std::swap(m_p, o.m_p); }
    // Takes over a reference the caller already owns.
    void Attach(T* p)
    {
        Reset();
        m_p = p;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Out-parameter address; releases what was held first.
    T** ReleaseAndGetAddressOf()
    {
        Reset();
        return &m_p;
    }
    void** ReleaseAndGetVoidAddress() { return reinterpret_cast<void**>(ReleaseAndGetAddressOf()); }

    template <class U>
    ComPtr<U> As() const
    {
        ComPtr<U> out;
        if (m_p) m_p->QueryInterface(U::kIID, out.ReleaseAndGetVoidAddress());
        return out;
    }

private:
    T* m_p = nullptr;
};

template <class T, class U>
bool operator==(const ComPtr<T>& a, const ComPtr<U>& b) { return a.Get() == b.Get(); }

// Implements IUnknown for a class that derives from one or more interfaces.
// Each listed interface must name its id as `static constexpr GUID kIID`.
// Objects start with a count of 0; the creator takes the first reference.
template <class First, class... Rest>
class CComObjectBase : public First, public Rest... {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown) {
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        } else if (!Find<First, Rest...>(iid, out)) {
            void* extra = QueryExtra(iid);
            if (!extra) return E_NOINTERFACE;
            *out = extra;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_ref; }
    ULONG Release() override
    {
        ULONG n = --m_ref;
        if (n == 0) delete this;
        return n;
    }
    ULONG RefCount() const { return m_ref.load(); }

protected:
    CComObjectBase() = default;
    virtual ~CComObjectBase() = default;
    // Lets a class answer for base interfaces of the listed ones.
    virtual void* QueryExtra(REFIID) { return nullptr; }

private:
    template <class I, class... More>
    bool Find(REFIID iid, void** out)
    {
        if (iid == I::kIID) {
            *out = static_cast<I*>(this);
            return true;
        }
        if constexpr (sizeof...(More) > 0)
            return Find<More...>(iid, out);
        return false;
    }

    std::atomic<ULONG> m_ref{0};
};

// Creates an object and hands out its first reference.
template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args)
{
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}
