#pragma once

#include "core/earthing/Segment.h"

#include <Eigen/Core>

#include <functional>
#include <vector>

namespace tav::earthing {

// The unknowns of the solve: each segment leaks a current of its own, but the pieces of a
// conductor's end that an interface divides (Segment::tie) leak evenly as one element, each
// piece its share of the element's current in proportion to its length. The element's
// basis spans its pieces, so that its coefficients are its pieces' weighted by their
// shares (Galerkin with the element's constant leakage), each piece's own taken in its
// own layer as before. Without ties the elements are the segments, in their order.
class TiedElements {
public:
    explicit TiedElements(const std::vector<Segment> &segments);

    // Some element has more than one piece.
    bool any() const { return m_pieces.size() < m_element.size(); }
    Eigen::Index count() const { return Eigen::Index(m_pieces.size()); }

    // The elements' coefficients (lower triangle) from the pieces' lower triangle.
    Eigen::MatrixXd fold(const Eigen::MatrixXd &pieces) const;
    // The pieces' values of an element vector (each its share), and an element vector of
    // the pieces' values (each element the sum of its pieces' weighted by their shares).
    void spread(const Eigen::VectorXd &elements, Eigen::VectorXd &pieces) const;
    void gather(const Eigen::VectorXd &pieces, Eigen::VectorXd &elements) const;
    // The elements' coefficient (i >= j) from the pieces' (p >= q).
    double entry(int i, int j, const std::function<double(int, int)> &pieces) const;
    // Per element, the value its first piece has.
    std::vector<int> perElement(const std::vector<int> &perPiece) const;
    // The pieces' currents from the elements'.
    std::vector<double> pieceCurrents(const std::vector<double> &elementCurrents) const;

private:
    std::vector<std::vector<int>> m_pieces; // per element, its pieces in order
    std::vector<int> m_element;             // per piece
    std::vector<double> m_share;            // per piece
};

} // namespace tav::earthing
