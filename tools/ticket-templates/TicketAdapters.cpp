#include "TicketAdapters.h"

TicketAdapters::TicketAdapters() {
    m_window.setObjectName(QStringLiteral("MainForm"));
    m_kitchenOrders.SetName(QStringLiteral("repDS_KitchenOrders"));
    m_ordersMaster.SetName(QStringLiteral("repDS_OrdersMaster"));
    m_packagingOrders.SetName(QStringLiteral("repDS_PackagingOrders"));
}
