#include "core/earthing/TiedElements.h"

#include <map>

namespace tav::earthing {

TiedElements::TiedElements(const std::vector<Segment> &segments) {
    std::map<int, int> ofTie;
    m_element.resize(segments.size());
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const int tie = segments[k].tie;
        const auto found = tie >= 0 ? ofTie.find(tie) : ofTie.end();
        if (found != ofTie.end()) {
            m_element[k] = found->second;
            m_pieces[std::size_t(found->second)].push_back(int(k));
            continue;
        }
        m_element[k] = int(m_pieces.size());
        if (tie >= 0)
            ofTie.emplace(tie, m_element[k]);
        m_pieces.push_back({int(k)});
    }
    m_share.assign(segments.size(), 1);
    for (const std::vector<int> &pieces : m_pieces) {
        double length = 0;
        for (int p : pieces)
            length += segments[std::size_t(p)].length;
        for (int p : pieces)
            m_share[std::size_t(p)] = segments[std::size_t(p)].length / length;
    }
}

double TiedElements::entry(int i, int j, const std::function<double(int, int)> &pieces) const {
    double sum = 0;
    for (int p : m_pieces[std::size_t(i)])
        for (int q : m_pieces[std::size_t(j)])
            sum += m_share[std::size_t(p)] * m_share[std::size_t(q)] *
                   (p >= q ? pieces(p, q) : pieces(q, p));
    return sum;
}

Eigen::MatrixXd TiedElements::fold(const Eigen::MatrixXd &pieces) const {
    const Eigen::Index n = count();
    Eigen::MatrixXd folded(n, n);
    const auto piece = [&pieces](int p, int q) { return pieces(p, q); };
    for (Eigen::Index j = 0; j < n; ++j)
        for (Eigen::Index i = j; i < n; ++i)
            folded(i, j) = entry(int(i), int(j), piece);
    return folded;
}

void TiedElements::spread(const Eigen::VectorXd &elements, Eigen::VectorXd &pieces) const {
    pieces.resize(Eigen::Index(m_element.size()));
    for (std::size_t p = 0; p < m_element.size(); ++p)
        pieces[Eigen::Index(p)] = m_share[p] * elements[m_element[p]];
}

void TiedElements::gather(const Eigen::VectorXd &pieces, Eigen::VectorXd &elements) const {
    elements = Eigen::VectorXd::Zero(count());
    for (std::size_t p = 0; p < m_element.size(); ++p)
        elements[m_element[p]] += m_share[p] * pieces[Eigen::Index(p)];
}

std::vector<int> TiedElements::perElement(const std::vector<int> &perPiece) const {
    std::vector<int> values;
    for (const std::vector<int> &pieces : m_pieces)
        values.push_back(perPiece[std::size_t(pieces.front())]);
    return values;
}

std::vector<double> TiedElements::pieceCurrents(const std::vector<double> &elementCurrents) const {
    std::vector<double> currents(m_element.size());
    for (std::size_t p = 0; p < m_element.size(); ++p)
        currents[p] = m_share[p] * elementCurrents[std::size_t(m_element[p])];
    return currents;
}

} // namespace tav::earthing
