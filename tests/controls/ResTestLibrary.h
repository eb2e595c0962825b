#pragma once
// Installs the built resource folder as the current library for one test.
#include "fixtures/TestEnvironment.h"
#include "platform/ResourceLibrary.h"
#include <gtest/gtest.h>
#include <memory>

class ResTestLibrary {
public:
    ResTestLibrary() : ResTestLibrary(KM_RES_DIR) {}
    explicit ResTestLibrary(const std::filesystem::path& folder)
        : m_previous(GetCurrentResourceLibrary()), m_library(CResourceLibrary::Load(folder))
    {
        SetCurrentResourceLibrary(m_library.get());
    }
    ~ResTestLibrary() { SetCurrentResourceLibrary(m_previous); }
    ResTestLibrary(const ResTestLibrary&) = delete;
    ResTestLibrary& operator=(const ResTestLibrary&) = delete;

    bool Loaded() const { return m_library != nullptr; }

private:
    CResourceLibrary* m_previous;
    std::unique_ptr<CResourceLibrary> m_library;
};
