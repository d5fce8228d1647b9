#pragma once

#include <optional>

// The standard paper codes of the printer interface (1 to 47 and 50 to 68) with their portrait size in
// tenths of a millimetre.
class TrpPaperSizes {
public:
    struct Size {
        int width;  // tenths of a millimetre
        int height; // tenths of a millimetre
    };

    // The size of a standard code; none for any other code (user-defined 256, or codes such as 150 and
    // 184 that printers define themselves).
    static std::optional<Size> find(int code);
};
