#pragma once
// Creation of engine objects by class id, in place of the system's COM runtime.
#include "platform/Unknown.h"
#include <functional>

using ClassFactory = std::function<IUnknown*()>;  // returns a new object with count 0

constexpr DWORD CLSCTX_INPROC_SERVER = 1;

// Registers (or replaces) the factory for a class id. Thread-safe.
void CoRegisterClass(REFCLSID clsid, ClassFactory factory);
void CoUnregisterClass(REFCLSID clsid);
// The factory registered for a class id now; empty when there is none.
ClassFactory CoGetClassFactory(REFCLSID clsid);

// Runs once per process the initialisers added with CoAddInitializer (the
// engine registers its classes this way); harmless to call more than once.
HRESULT CoInitialize(void* reserved = nullptr);
void CoUninitialize();
void CoAddInitializer(void (*init)());

// Creates the class and queries it for iid; REGDB_E_CLASSNOTREG for an unknown
// class, CLASS_E_NOAGGREGATION when an outer object is given.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out);

template <class T>
HRESULT CoCreate(REFCLSID clsid, ComPtr<T>& out)
{
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, T::kIID, out.ReleaseAndGetVoidAddress());
}
