#include "CupsSpooler.h"

#include <gtest/gtest.h>

// A scheduler with no queues: the machine has no printers.
TEST(CupsWithoutPrinters, ListsNothingAndHasNoDefault) {
    CupsSpooler spooler;
    EXPECT_TRUE(spooler.printerNames().isEmpty());
    EXPECT_TRUE(spooler.defaultPrinterName().isEmpty());
}
