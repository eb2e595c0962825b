#include "platform/ClassRegistry.h"
#include <map>
#include <mutex>
#include <vector>

namespace {
struct Registry {
    std::mutex mutex;
    std::map<GUID, ClassFactory> factories;
    std::vector<void (*)()> initializers;
    bool initialized = false;
};

Registry& TheRegistry()
{
    static Registry r;
    return r;
}

void RunInitializers()
{
    Registry& r = TheRegistry();
    std::vector<void (*)()> pending;
    {
        std::lock_guard<std::mutex> lk(r.mutex);
        if (r.initialized) return;
        r.initialized = true;
        pending = r.initializers;
    }
    for (auto f : pending) f();
}
}

void CoRegisterClass(REFCLSID clsid, ClassFactory factory)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lk(r.mutex);
    r.factories[clsid] = std::move(factory);
}

void CoUnregisterClass(REFCLSID clsid)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lk(r.mutex);
    r.factories.erase(clsid);
}

ClassFactory CoGetClassFactory(REFCLSID clsid)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lk(r.mutex);
    auto it = r.factories.find(clsid);
    return it == r.factories.end() ? ClassFactory() : it->second;
}

void CoAddInitializer(void (*init)())
{
    Registry& r = TheRegistry();
    bool runNow = false;
    {
        std::lock_guard<std::mutex> lk(r.mutex);
        r.initializers.push_back(init);
        runNow = r.initialized;
    }
    if (runNow) init();
}

HRESULT CoInitialize(void*)
{
    RunInitializers();
    return S_OK;
}

void CoUninitialize() {}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD, REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    RunInitializers();
    ClassFactory factory;
    {
        Registry& r = TheRegistry();
        std::lock_guard<std::mutex> lk(r.mutex);
        auto it = r.factories.find(clsid);
        if (it == r.factories.end()) return REGDB_E_CLASSNOTREG;
        factory = it->second;
    }
    IUnknown* obj = factory();
    if (!obj) return E_OUTOFMEMORY;
    obj->AddRef();
    HRESULT hr = obj->QueryInterface(iid, out);
    obj->Release();
    return hr;
}
