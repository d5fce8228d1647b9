#pragma once

#include "CapturingMessageService.h"
#include "DataModule1.h"
#include "ModalDriver.h"
#include "TestDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

// A throw-away restaurant database for the outlet 1/2/3 behind the data module the settings windows use,
// message boxes captured, and a watchdog that fails a test which leaves a modal window open instead of
// letting it hang.
class SettingsWindowsFixture : public ::testing::Test {
protected:
    SettingsWindowsFixture();
    void TearDown() override;

    // The texts of the message boxes shown so far.
    QStringList shownTexts() const;
    // The rows a select gives, each as "a|b|c" (NULL for a NULL value), read on a connection of its own.
    QStringList rows(const QString& sql);

    TestDatabase db;
    TDataModule1 dataModule;
    CapturingMessageService messages;
    ModalWatchdog watchdog;

private:
    DbConnection check;
};
