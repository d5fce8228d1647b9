#pragma once

#include <cstddef>
#include <vector>

class TrpBand;
class TrpView;

// Which views of a band move when a view above them grows. Built once per band from the designed geometry
// and reused for every placement of it.
//
// A view depends on a view above it when it lies wholly below it, the two overlap horizontally, and no
// third view lies between them inside the horizontal range they share. When a view grows, the views
// depending on it keep their designed distance to it, and so on down; a view depending on several views
// takes the lowest position any of them asks for. Only views reaching into the band's width take part.
class TrpShiftTree {
public:
    explicit TrpShiftTree(const TrpBand& band);

    // Moves the views below those whose height or position changed since BeforePrint; the band's views
    // must still have their designed Top.
    void apply() const;

private:
    struct Node {
        TrpView* view = nullptr;
        double top = 0;    // as designed
        double bottom = 0; // as designed
        std::vector<std::size_t> parents;
    };
    std::vector<Node> m_nodes; // sorted by designed Top
};
