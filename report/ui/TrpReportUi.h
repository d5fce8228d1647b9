#pragma once

// Binds the report's windows: the print dialog that `Print` shows when its options ask for it, and the
// preview window `ShowReport` opens. The program calls this once at start-up.
namespace TrpReportUi {
void install();
}
