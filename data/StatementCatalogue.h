#pragma once

#include "StatementDef.h"

#include <vector>

// Every statement the program sends to the restaurant database, under the name the rest of the program
// uses for it.
enum class StatementId {
    POSGeneralSettingsQ,
    ReadyToPrintQ,
    OrdersMasterQ,
    PrintersInOrderQ,
    KitchenOrdersQ,
    PackagingOrdersQ,
    OrdersDetails_UpdateIsPrinted,
    ReadyToPrint_DeletePrinted,
    VoidedQ,
    Voids_MarkNoted,
    PrintersQ,
    Comm_Insert,
    Comm_Modify,
    StationsQ,
    RestDataQ,
    IncludedStationsQ,
    Comm_Update,
    Comm_Add,
    Comm_Remove,
    StationlessItemsQ,
};

const StatementDef& statementDef(StatementId id);

// All statements, in the order of StatementId.
const std::vector<StatementDef>& statementCatalogue();

// By name (exact); raises std::out_of_range for a name the catalogue does not have.
const StatementDef& statementNamed(const QString& name);
