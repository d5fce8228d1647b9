#pragma once

#include "DataModule1.h"
#include "DbStatement.h"

// Every statement of the settings windows is scoped by the outlet this installation serves.
inline void bindOutletKey(DbStatement& statement, const TDataModule1& dataModule) {
    statement.setParameter(QStringLiteral("Customer_ID"), dataModule.Customer_ID);
    statement.setParameter(QStringLiteral("Restaurant_ID"), dataModule.Restaurant_ID);
    statement.setParameter(QStringLiteral("Outlet_ID"), dataModule.Outlet_ID);
}
