#pragma once

#include <QString>
#include <utility>
#include <vector>

// The pages a user asked for: numbers and ranges separated by commas ("1,3,5-12"); empty means every
// page. Text that is not such a list raises TrpError naming it, so that nothing prints by mistake.
class TrpPageNumbers {
public:
    explicit TrpPageNumbers(const QString& text);

    bool all() const { return ranges_.empty(); }
    // `page` counts from 1.
    bool includes(int page) const;

    // True when `text` is a valid list (the print dialog checks the field before it closes).
    static bool isValid(const QString& text);

private:
    std::vector<std::pair<int, int>> ranges_;
};
