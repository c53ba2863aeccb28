// The compressed coupling operator's pieces: the cluster tree's order and leaves, the
// blocks covering the matrix once, cross approximation on blocks of known rank and on
// zeros, and the product against the dense product of a kernel computed here.
#include "core/earthing/BlockPartition.h"
#include "core/earthing/ClusterTree.h"
#include "core/earthing/CompressedOperator.h"
#include "core/earthing/LowRankBlock.h"

#include <QtTest>

#include <Eigen/Dense>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>
#include <numeric>
#include <random>

using namespace tav::earthing;

namespace {

// count points uniform in the box [lo, hi].
std::vector<Vec3> pointsIn(int count, Vec3 lo, Vec3 hi, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<Vec3> points;
    for (int k = 0; k < count; ++k)
        points.push_back({lo.x + (hi.x - lo.x) * unit(random), lo.y + (hi.y - lo.y) * unit(random),
                          lo.z + (hi.z - lo.z) * unit(random)});
    return points;
}

Eigen::MatrixXd randomMatrix(int rows, int cols, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(-1, 1);
    Eigen::MatrixXd m(rows, cols);
    for (int j = 0; j < cols; ++j)
        for (int i = 0; i < rows; ++i)
            m(i, j) = unit(random);
    return m;
}

// The smoothed inverse distance, the shape of a thin wire's potential coefficient.
constexpr double kRadius = 0.05;
double kernel(const Vec3 &p, const Vec3 &q) {
    const Vec3 d = p - q;
    return 1 / std::sqrt(d.dot(d) + kRadius * kRadius);
}

bool contains(const ClusterBox &box, const Vec3 &p) {
    return p.x >= box.lo.x && p.x <= box.hi.x && p.y >= box.lo.y && p.y <= box.hi.y &&
           p.z >= box.lo.z && p.z <= box.hi.z;
}

} // namespace

class TestCompressedOperator : public QObject {
    Q_OBJECT

private slots:
    void clusterTree_data();
    void clusterTree();
    void admissibility_data();
    void admissibility();
    void blocksCoverOnce_data();
    void blocksCoverOnce();
    void knownRank_data();
    void knownRank();
    void zerosAndZeroRows_data();
    void zerosAndZeroRows();
    void productAgainstDense_data();
    void productAgainstDense();
    void cancel();
    void failureReachesTheCaller_data();
    void failureReachesTheCaller();
};

void TestCompressedOperator::clusterTree_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("leafSize");
    QTest::addColumn<bool>("coincident");
    QTest::newRow("1000 in a box, leaves of 32") << 1000 << 32 << false;
    QTest::newRow("257 in a box, leaves of 8") << 257 << 8 << false;
    QTest::newRow("one point") << 1 << 32 << false;
    QTest::newRow("no point") << 0 << 32 << false;
    QTest::newRow("300 on one spot, leaves of 16") << 300 << 16 << true;
}

void TestCompressedOperator::clusterTree() {
    QFETCH(int, count);
    QFETCH(int, leafSize);
    QFETCH(bool, coincident);
    const std::vector<Vec3> points = coincident ? std::vector<Vec3>(std::size_t(count), {1, 2, 3})
                                                : pointsIn(count, {0, 0, 0}, {50, 20, 3}, 7);
    const ClusterTree tree(points, leafSize);
    std::vector<int> sorted = tree.permutation();
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> identity(static_cast<std::size_t>(count));
    std::iota(identity.begin(), identity.end(), 0);
    QCOMPARE(sorted, identity);
    QCOMPARE(tree.cluster(0).begin, 0);
    QCOMPARE(tree.cluster(0).end, count);
    std::vector<int> leafAt(std::size_t(count), -1);
    for (int c = 0; c < int(tree.clusters().size()); ++c) {
        const ClusterTree::Cluster &cluster = tree.cluster(c);
        for (int k = cluster.begin; k < cluster.end; ++k)
            QVERIFY(contains(cluster.box, points[std::size_t(tree.permutation()[std::size_t(k)])]));
        if (cluster.leaf()) {
            QVERIFY(cluster.size() <= leafSize);
            QVERIFY(cluster.size() >= 1 || count == 0);
            for (int k = cluster.begin; k < cluster.end; ++k) {
                QCOMPARE(leafAt[std::size_t(k)], -1); // no position in two leaves
                leafAt[std::size_t(k)] = c;
            }
            continue;
        }
        // The children split the parent's range in two contiguous halves.
        const ClusterTree::Cluster &first = tree.cluster(cluster.first);
        const ClusterTree::Cluster &second = tree.cluster(cluster.second);
        QCOMPARE(first.begin, cluster.begin);
        QCOMPARE(first.end, second.begin);
        QCOMPARE(second.end, cluster.end);
        QVERIFY(std::abs(first.size() - second.size()) <= 1);
    }
    QVERIFY(std::count(leafAt.begin(), leafAt.end(), -1) == 0);
    const std::vector<int> leafOf = tree.leafOf();
    for (int k = 0; k < count; ++k)
        QCOMPARE(leafOf[std::size_t(tree.permutation()[std::size_t(k)])], leafAt[std::size_t(k)]);
}

void TestCompressedOperator::admissibility_data() {
    QTest::addColumn<double>("gapX");
    QTest::addColumn<double>("eta");
    QTest::addColumn<bool>("expected");
    // Two unit cubes apart along x: diameter sqrt(3) = 1.732, distance the gap.
    QTest::newRow("gap 1, eta 2") << 1.0 << 2.0 << true;    // 1.732 <= 2
    QTest::newRow("gap 1, eta 1.5") << 1.0 << 1.5 << false; // 1.732 > 1.5
    QTest::newRow("gap 1.2, eta 1.5") << 1.2 << 1.5 << true; // 1.732 <= 1.8
    QTest::newRow("touching") << 0.0 << 100.0 << false;
    QTest::newRow("overlapping") << -0.5 << 100.0 << false;
}

void TestCompressedOperator::admissibility() {
    QFETCH(double, gapX);
    QFETCH(double, eta);
    QFETCH(bool, expected);
    const ClusterBox a{{0, 0, 0}, {1, 1, 1}};
    const ClusterBox b{{1 + gapX, 0, 0}, {2 + gapX, 1, 1}};
    QCOMPARE(ClusterTree::admissible(a, b, eta), expected);
    QCOMPARE(ClusterTree::admissible(b, a, eta), expected);
}

void TestCompressedOperator::blocksCoverOnce_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("lowerOnly");
    QTest::addColumn<int>("largestFar");
    QTest::newRow("300 against 200") << 300 << 200 << false << 0;
    QTest::newRow("400 against themselves") << 400 << 400 << false << 0;
    QTest::newRow("400, lower triangle") << 400 << 400 << true << 0;
    QTest::newRow("far blocks of at most 64") << 300 << 200 << false << 64;
    QTest::newRow("lower triangle, far blocks of at most 48") << 400 << 400 << true << 48;
}

// Every entry in exactly one block, counting a lower block's transpose as covering the
// upper entries; every far block admissible, every near block a pair of leaves.
void TestCompressedOperator::blocksCoverOnce() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, lowerOnly);
    QFETCH(int, largestFar);
    const std::vector<Vec3> observers = pointsIn(rows, {0, 0, 0}, {40, 40, 2}, 3);
    const std::vector<Vec3> sources =
        rows == cols ? observers : pointsIn(cols, {10, -5, 0.5}, {50, 30, 3}, 4);
    const ClusterTree rowTree(observers, 16);
    const ClusterTree colTree(sources, 16);
    const ClusterTree &columns = lowerOnly ? rowTree : colTree;
    const BlockPartition partition(rowTree, columns, 1.5, lowerOnly, largestFar);
    Eigen::MatrixXi covered = Eigen::MatrixXi::Zero(rows, cols);
    for (const BlockPartition::Block &block : partition.blocks()) {
        const ClusterTree::Cluster &s = rowTree.cluster(block.row);
        const ClusterTree::Cluster &t = columns.cluster(block.col);
        if (block.far) {
            QVERIFY(std::min(s.box.diameter(), t.box.diameter()) <= 1.5 * s.box.distance(t.box));
            if (largestFar > 0)
                QVERIFY(s.size() + t.size() <= largestFar || (s.leaf() && t.leaf()));
        } else
            QVERIFY(s.leaf() && t.leaf());
        covered.block(s.begin, t.begin, s.size(), t.size()).array() += 1;
        if (lowerOnly && block.row != block.col) {
            QVERIFY(s.begin > t.begin);
            covered.block(t.begin, s.begin, t.size(), s.size()).array() += 1;
        }
    }
    QCOMPARE(covered.minCoeff(), 1);
    QCOMPARE(covered.maxCoeff(), 1);
    QVERIFY(partition.farCount() > 0);
}

void TestCompressedOperator::knownRank_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rank");
    QTest::newRow("40 x 30, rank 3") << 40 << 30 << 3;
    QTest::newRow("100 x 100, rank 1") << 100 << 100 << 1;
    QTest::newRow("64 x 50, rank 10") << 64 << 50 << 10;
    QTest::newRow("20 x 20, full rank") << 20 << 20 << 20;
    QTest::newRow("1 x 25, rank 1") << 1 << 25 << 1;
}

// A sum of `rank` outer products of random vectors: the approximation finds that rank and
// every entry.
void TestCompressedOperator::knownRank() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, rank);
    const Eigen::MatrixXd a = randomMatrix(rows, rank, 11) * randomMatrix(cols, rank, 12).transpose();
    const LowRankBlock block =
        LowRankBlock::approximate(rows, cols, [&](int i, int j) { return a(i, j); }, 1e-10);
    QCOMPARE(block.rank(), rank);
    QCOMPARE(block.rows(), rows);
    QCOMPARE(block.cols(), cols);
    QVERIFY((block.dense() - a).cwiseAbs().maxCoeff() <= 1e-9 * a.cwiseAbs().maxCoeff());
    // The product and the transposed product against Eigen's own.
    const Eigen::VectorXd x = randomMatrix(cols, 1, 13);
    const Eigen::VectorXd w = randomMatrix(rows, 1, 14);
    Eigen::VectorXd y = Eigen::VectorXd::Zero(rows);
    Eigen::VectorXd z = Eigen::VectorXd::Zero(cols);
    block.multiplyAdd(x, y);
    block.multiplyTransposedAdd(w, z);
    QVERIFY((y - a * x).norm() <= 1e-9 * (a * x).norm());
    QVERIFY((z - a.transpose() * w).norm() <= 1e-9 * (a.transpose() * w).norm());
}

void TestCompressedOperator::zerosAndZeroRows_data() {
    QTest::addColumn<int>("zeroRows"); // the first rows made zero, -1 for the whole block
    QTest::addColumn<int>("rank");     // of what is left, -2 for the last entry alone
    QTest::addColumn<int>("expectedRank");
    QTest::newRow("zeros") << -1 << 0 << 0;
    QTest::newRow("first row zero, rank 2") << 1 << 2 << 2;
    QTest::newRow("first 25 rows zero, rank 4") << 25 << 4 << 4;
    QTest::newRow("only the last entry") << 0 << -2 << 1;
}

void TestCompressedOperator::zerosAndZeroRows() {
    QFETCH(int, zeroRows);
    QFETCH(int, rank);
    QFETCH(int, expectedRank);
    constexpr int rows = 30;
    constexpr int cols = 20;
    Eigen::MatrixXd a = Eigen::MatrixXd::Zero(rows, cols);
    if (rank > 0)
        a = randomMatrix(rows, rank, 21) * randomMatrix(cols, rank, 22).transpose();
    if (rank == -2)
        a(rows - 1, cols - 1) = 2.5;
    if (zeroRows < 0)
        a.setZero();
    else
        a.topRows(zeroRows).setZero();
    const LowRankBlock block =
        LowRankBlock::approximate(rows, cols, [&](int i, int j) { return a(i, j); }, 1e-10);
    QCOMPARE(block.rank(), expectedRank);
    const double scale = std::max(1.0, a.cwiseAbs().maxCoeff());
    QVERIFY((block.dense() - a).cwiseAbs().maxCoeff() <= 1e-9 * scale);
    Eigen::VectorXd y = Eigen::VectorXd::Zero(rows);
    block.multiplyAdd(Eigen::VectorXd::Ones(cols), y);
    QVERIFY((y - a * Eigen::VectorXd::Ones(cols)).norm() <= 1e-9 * scale * rows);
}

void TestCompressedOperator::productAgainstDense_data() {
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("symmetric");
    QTest::addColumn<double>("memoryShare"); // of the dense matrix, at most
    QTest::newRow("1e-4, segments against segments") << 1e-4 << true << 0.25;
    QTest::newRow("1e-6, segments against segments") << 1e-6 << true << 0.3;
    QTest::newRow("1e-8, segments against segments") << 1e-8 << true << 0.4;
    QTest::newRow("1e-4, surface against segments") << 1e-4 << false << 0.25;
    QTest::newRow("1e-6, surface against segments") << 1e-6 << false << 0.4;
}

// 3000 points in a slab like a large grid's middles (symmetric), or 2000 surface points
// over a wider square against 2500 of them; the product against the dense product of the
// kernel computed here, within ten times the tolerance.
void TestCompressedOperator::productAgainstDense() {
    QFETCH(double, tolerance);
    QFETCH(bool, symmetric);
    QFETCH(double, memoryShare);
    const std::vector<Vec3> sources =
        pointsIn(symmetric ? 3000 : 2500, {0, 0, 0.5}, {80, 80, 3}, 31);
    const std::vector<Vec3> observers =
        symmetric ? sources : pointsIn(2000, {-20, -20, 0}, {100, 100, 0}, 32);
    CompressedOperator::Settings settings;
    settings.tolerance = tolerance;
    settings.symmetric = symmetric;
    CompressedOperator op(observers, sources, settings);
    WorkMonitor monitor(nullptr, 2);
    const auto entry = [&](int i, int j) {
        return kernel(observers[std::size_t(i)], sources[std::size_t(j)]);
    };
    QVERIFY(op.assemble(entry, monitor));
    // The same matrix never held: its blocks read and applied one by one.
    const CompressedOperator once(observers, sources, settings);
    QCOMPARE(op.rows(), int(observers.size()));
    QCOMPARE(op.cols(), int(sources.size()));

    // Positive currents, as a grid's, and currents of both signs, whose product is smaller
    // against the same errors of the blocks.
    std::mt19937 random(33);
    std::uniform_real_distribution<double> unit(0, 1);
    for (const double shift : {0.0, -0.5}) {
        Eigen::VectorXd x(op.cols());
        for (Eigen::Index j = 0; j < x.size(); ++j)
            x[j] = unit(random) + shift;
        Eigen::VectorXd dense = Eigen::VectorXd::Zero(op.rows());
        for (std::size_t i = 0; i < observers.size(); ++i)
            for (std::size_t j = 0; j < sources.size(); ++j)
                dense[Eigen::Index(i)] += kernel(observers[i], sources[j]) * x[Eigen::Index(j)];
        Eigen::VectorXd y;
        op.multiply(x, y);
        const double error = (y - dense).norm() / dense.norm();
        QVERIFY2(error < 10 * tolerance, qPrintable(QString::number(error)));
        // On both cores, the same sums in another order.
        Eigen::VectorXd parallel;
        QVERIFY(op.multiply(x, parallel, monitor, 0.5));
        QVERIFY((parallel - y).norm() <= 1e-13 * y.norm());
        Eigen::VectorXd applied;
        QVERIFY(once.multiplyOnce(entry, x, applied, monitor, SolveProgress::Stage::Surface));
        const double appliedError = (applied - dense).norm() / dense.norm();
        QVERIFY2(appliedError < 10 * tolerance, qPrintable(QString::number(appliedError)));
    }

    const CompressedOperator::Stats stats = op.stats();
    QVERIFY2(double(stats.bytes) < memoryShare * double(op.denseBytes()),
             qPrintable(QString::number(double(stats.bytes) / double(op.denseBytes()))));
    QVERIFY(stats.farBlocks > 0 && stats.nearBlocks > 0);
    QVERIFY(stats.largestRank > 0 && stats.largestRank < settings.leafSize * 4);
    if (!symmetric)
        return;
    // The diagonal leaves hold the kernel itself, every unknown in one of them.
    const std::vector<CompressedOperator::DiagonalBlock> diagonal = op.diagonalBlocks();
    std::size_t unknowns = 0;
    for (const CompressedOperator::DiagonalBlock &block : diagonal) {
        unknowns += block.indices.size();
        const std::size_t last = block.indices.size() - 1;
        QCOMPARE(block.matrix(0, Eigen::Index(last)),
                 kernel(sources[std::size_t(block.indices[0])],
                        sources[std::size_t(block.indices[last])]));
    }
    QCOMPARE(unknowns, sources.size());
}

void TestCompressedOperator::cancel() {
    const std::vector<Vec3> points = pointsIn(500, {0, 0, 0}, {30, 30, 2}, 41);
    CompressedOperator::Settings settings;
    settings.symmetric = true;
    CompressedOperator op(points, points, settings);
    int calls = 0;
    WorkMonitor monitor([&](const SolveProgress &) { return ++calls < 1; }, 2);
    QVERIFY(!op.assemble([&](int i, int j) { return kernel(points[std::size_t(i)], points[std::size_t(j)]); },
                         monitor));
    QVERIFY(monitor.cancelled());
    // Cancelled before it is laid out: no cluster is split, and no block listed beyond the
    // first pair's.
    WorkMonitor stopped([](const SolveProgress &) { return false; }, 2);
    QVERIFY(!stopped.report(SolveProgress::Stage::Matrix, 0, true));
    const CompressedOperator dropped(points, points, settings, &stopped);
    QCOMPARE(dropped.rowTree().clusters().size(), std::size_t(1));
    QVERIFY(dropped.stats().nearBlocks + dropped.stats().farBlocks <= 1);
}

// What an item throws on any thread (memory it could not have) reaches the caller once
// every thread has stopped, rather than end the program; the items after it are not begun.
void TestCompressedOperator::failureReachesTheCaller_data() {
    QTest::addColumn<int>("threads");
    QTest::addColumn<std::size_t>("failing"); // the item that throws
    QTest::newRow("alone, the first item") << 1 << std::size_t(0);
    QTest::newRow("four threads, the first item") << 4 << std::size_t(0);
    QTest::newRow("four threads, an item in the middle") << 4 << std::size_t(500);
}

void TestCompressedOperator::failureReachesTheCaller() {
    QFETCH(int, threads);
    QFETCH(std::size_t, failing);
    WorkMonitor monitor(nullptr, threads);
    std::atomic<std::size_t> done{0};
    bool thrown = false;
    try {
        monitor.run(SolveProgress::Stage::Matrix, 1000, [&](std::size_t item, int) {
            if (item == failing)
                throw std::bad_alloc();
            ++done;
        });
    } catch (const std::bad_alloc &) {
        thrown = true;
    }
    QVERIFY(thrown);
    QVERIFY(done.load() < 1000);
    QVERIFY(!monitor.cancelled());
}

QTEST_APPLESS_MAIN(TestCompressedOperator)
#include "tst_compressedoperator.moc"
