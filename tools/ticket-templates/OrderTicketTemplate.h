#pragma once

#include <memory>

class TicketAdapters;
class TrpReport;

// The order tickets: the kitchen ticket printed on each station's printer ("rep_KitchenOrder.xml") and
// the packaging copy of the whole order ("rep_PackagingOrder.xml"), which shares its design on a
// narrower printable width.
namespace OrderTicketTemplate {

std::unique_ptr<TrpReport> kitchenOrder(TicketAdapters& adapters);
std::unique_ptr<TrpReport> packagingOrder(TicketAdapters& adapters);

} // namespace OrderTicketTemplate
