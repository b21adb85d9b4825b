// Shared set-up of the application shell's tests: the Polish texts, the product texts and default settings.
#pragma once

#include "Bazadanych.h"
#include "DataFolderLock.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <gtest/gtest.h>

inline void loadProgramTexts()
{
    static const bool loaded = [] {
        gLangM.Load(KX_LangManager::MessageTable());
        gLangM.Load(KX_LangManager::CaptionTable());
        return true;
    }();
    (void)loaded;
}

class AppFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { loadProgramTexts(); }
    void SetUp() override
    {
        gProductName = QStringLiteral("Kronvel");
        gProductVersion = QStringLiteral("1.2.2.0");
        gDB.Clear();
        gSettings = KV_Settings();
    }
    void TearDown() override
    {
        gDB.Clear();
        // A folder a test locked goes with the test's temporary folders.
        UnlockDataFolders();
    }
};
