#pragma once

#include <memory>

class TrpReport;

// The void ticket ("rep_KitchenVoid.xml"): a title and one message memo, Memo_VoidMessage, whose text the
// program replaces before every print; no adapters.
namespace VoidTicketTemplate {

std::unique_ptr<TrpReport> kitchenVoid();

} // namespace VoidTicketTemplate
