#pragma once
// Installs the built resource library for schema tests so captions resolve.
#include "platform/ResourceLibrary.h"

#include <gtest/gtest.h>
#include <memory>

class SchemaResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = CResourceLibrary::Load(KM_RES_DIR);
        ASSERT_NE(m_library, nullptr);
        m_previous = GetCurrentResourceLibrary();
        SetCurrentResourceLibrary(m_library.get());
    }
    void TearDown() override { SetCurrentResourceLibrary(m_previous); }

private:
    std::unique_ptr<CResourceLibrary> m_library;
    CResourceLibrary* m_previous = nullptr;
};
