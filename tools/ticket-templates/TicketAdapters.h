#pragma once

#include "TrpDBDataset.h"

#include <QObject>

// The dataset adapters the order tickets name, owned by a stand-in for the window that owns them in the
// program. Templates built against them reference the adapters by their plain component names.
class TicketAdapters {
public:
    TicketAdapters();

    QObject& window() { return m_window; }
    TrpDBDataset& kitchenOrders() { return m_kitchenOrders; }
    TrpDBDataset& ordersMaster() { return m_ordersMaster; }
    TrpDBDataset& packagingOrders() { return m_packagingOrders; }

private:
    QObject m_window;
    TrpDBDataset m_kitchenOrders{&m_window};
    TrpDBDataset m_ordersMaster{&m_window};
    TrpDBDataset m_packagingOrders{&m_window};
};
