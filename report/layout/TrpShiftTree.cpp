#include "TrpShiftTree.h"

#include "TrpBand.h"
#include "TrpView.h"

#include <algorithm>
#include <limits>

namespace {
// Positions closer than this count as touching, not overlapping.
constexpr double Epsilon = 1e-4;

bool overlapsHorizontally(double left1, double right1, double left2, double right2) {
    return std::min(right1, right2) - std::max(left1, left2) > Epsilon;
}
} // namespace

TrpShiftTree::TrpShiftTree(const TrpBand& band) {
    for (const auto& child : band.Objects()) {
        auto* view = dynamic_cast<TrpView*>(child.get());
        if (view == nullptr) {
            continue;
        }
        const double left = view->Left();
        const double right = view->Left() + view->Width();
        if (right < 0 || left > band.Width()) {
            continue;
        }
        m_nodes.push_back(Node{view, view->Top(), view->Top() + view->Height(), {}});
    }
    std::stable_sort(m_nodes.begin(), m_nodes.end(),
                     [](const Node& a, const Node& b) { return a.top < b.top; });

    const auto leftOf = [this](size_t i) {
        return m_nodes[i].view->Left();
    };
    const auto rightOf = [this](size_t i) {
        return m_nodes[i].view->Left() + m_nodes[i].view->Width();
    };
    const auto below = [this](size_t lower, size_t upper) {
        return m_nodes[upper].top < m_nodes[lower].top &&
               m_nodes[lower].top >= m_nodes[upper].bottom - Epsilon;
    };
    for (size_t b = 0; b < m_nodes.size(); ++b) {
        for (size_t a = 0; a < b; ++a) {
            if (!below(b, a) || !overlapsHorizontally(leftOf(a), rightOf(a), leftOf(b), rightOf(b))) {
                continue;
            }
            const double sharedLeft = std::max(leftOf(a), leftOf(b));
            const double sharedRight = std::min(rightOf(a), rightOf(b));
            bool blocked = false;
            for (size_t c = 0; c < m_nodes.size() && !blocked; ++c) {
                blocked = c != a && c != b && below(c, a) && below(b, c) &&
                          overlapsHorizontally(leftOf(c), rightOf(c), sharedLeft, sharedRight);
            }
            if (!blocked) {
                m_nodes[b].parents.push_back(a);
            }
        }
    }
}

void TrpShiftTree::apply() const {
    // Designed tops ascend, so every parent has its final place before its dependants are moved.
    for (const Node& node : m_nodes) {
        if (node.parents.empty() || node.view->ShiftMode() == TrpShiftMode::smDontShift) {
            continue;
        }
        double shift = -std::numeric_limits<double>::infinity();
        double lowestBottom = 0;
        for (const size_t p : node.parents) {
            const Node& parent = m_nodes[p];
            const double bottom = parent.view->Top() + parent.view->Height();
            shift = std::max(shift, bottom - parent.bottom);
            lowestBottom = std::max(lowestBottom, bottom);
        }
        if (node.view->ShiftMode() == TrpShiftMode::smWhenOverlapped) {
            // Moves only as far as needed to clear the views above it.
            shift = std::max(0.0, lowestBottom - node.top);
        }
        if (shift != 0) {
            node.view->SetTop(node.top + shift);
        }
    }
}
