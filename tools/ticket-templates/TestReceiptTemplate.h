#pragma once

#include <QByteArray>
#include <memory>

class TrpReport;

// The test receipt a manager prints to check a printer ("rep_TestReceipt_80.xml"): fixed text, a logo, a
// counting pattern and 41 sample item rows; no adapters.
namespace TestReceiptTemplate {

// The number of sample item rows.
inline constexpr int ItemRows = 41;

// logoPng: the bytes of the PNG file shown as the restaurant's logo.
std::unique_ptr<TrpReport> testReceipt(const QByteArray& logoPng);

// The Top of item row k (0 to 40): one row every 6 mm, rounded to five decimals.
double itemRowTop(int row);

} // namespace TestReceiptTemplate
