#pragma once

#include <QString>
#include <functional>

// Finds the bracketed expressions of a memo's text and replaces each by its value.
class TrpExpressionScanner {
public:
    // Evaluates one expression, formatted with the memo's format of index `formatIndex`.
    using Evaluate = std::function<QString(const QString& expression, int formatIndex)>;

    // `delimiters` is "open,close" ("[,]" by default). Brackets nest (the outer bracket is one
    // expression), brackets inside single or double quotes do not count, and an opening bracket without a
    // match takes the rest of the text but its last character. The k-th expression uses format k, and
    // every expression past the last format uses the last one. Text inserted is not scanned again.
    static QString expand(const QString& text, const QString& delimiters, int formatCount,
                          const Evaluate& evaluate);

    struct Match {
        QString expression;
        qsizetype end = -1; // index of the last character of the closing delimiter; -1: none
    };
    // The bracketed expression whose opening delimiter is at `start`.
    static Match find(const QString& text, qsizetype start, const QString& open, const QString& close);
};
