#include "model/util/ResourceModule.h"
#include "platform/TextConv.h"
#include <memory>
#include <mutex>

namespace fs = std::filesystem;

namespace {
std::mutex g_mutex;
std::wstring g_modulePath;
std::unique_ptr<CResourceLibrary> g_library;
}

void SetModuleHandle(const std::wstring& modulePath)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_modulePath = modulePath;
}

CResourceLibrary* GetResourceModule()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_library) return g_library.get();
    fs::path folder = g_modulePath.empty() ? GetExecutableFolder() : fs::path(WideToUtf8(g_modulePath)).parent_path();
    g_library = CResourceLibrary::Load(folder / "res");
    return g_library.get();
}
