#pragma once

#include "TrpComponent.h"

// The base of the report's pages.
class TrpPage : public TrpComponent {};
