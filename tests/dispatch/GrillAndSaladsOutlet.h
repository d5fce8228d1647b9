#pragma once

#include "DispatchTestBed.h"
#include "FolderPrinters.h"

#include <gtest/gtest.h>

// An outlet with packaging on, two stations (Grill, Salads) with a dish each, and folder printers of the
// stations, the kitchen and the packaging printer.
class GrillAndSaladsOutlet : public ::testing::Test {
protected:
    void SetUp() override {
        grill = bed.station(QStringLiteral("Grill"));
        salads = bed.station(QStringLiteral("Salads"));
        burger = bed.item(QStringLiteral("Beef Burger"), QStringLiteral("Burger"), grill);
        salad = bed.item(QStringLiteral("Caesar Salad"), QStringLiteral("Salad"), salads);
    }

    FolderPrinters printers{{"Kitchen", "Grill", "Salads", "Packaging"}};
    DispatchTestBed bed{true};
    qint64 grill = 0;
    qint64 salads = 0;
    qint64 burger = 0;
    qint64 salad = 0;
};
