#pragma once

// The potential of a point source in N layers computed here, apart from the solver: the
// layer coefficients from one linear system of the boundary conditions, the integral over
// lambda by adaptive Simpson between the zeros of J0.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace layeredreference {

// The transform of the potential at depth z, direct term included, by solving the
// boundary conditions as one linear system: in layer i
//   V_i = A_i e^(-l (z - t_i)) + B_i e^(-l (b_i - z)) [+ e^(-l |z - zs|) in the source layer],
// no B in the last; dV/dz = 0 at the surface; V and V'/rho continuous at each interface.
inline double directKernel(const std::vector<double> &rho, const std::vector<double> &h, double l,
                    double z, double zs) {
    const int n = int(rho.size());
    std::vector<double> top(std::size_t(n), 0);
    for (int i = 1; i < n; ++i)
        top[std::size_t(i)] = top[std::size_t(i - 1)] + h[std::size_t(i - 1)];
    auto layerOf = [&](double d) {
        int i = 0;
        while (i + 1 < n && d > top[std::size_t(i + 1)])
            ++i;
        return i;
    };
    const int s = layerOf(zs);
    const int m = 2 * n - 1; // A_0..A_{n-1}, then B_0..B_{n-2}
    std::vector<std::vector<double>> a(std::size_t(m), std::vector<double>(std::size_t(m + 1), 0));
    auto A = [](int i) { return std::size_t(i); };
    auto B = [n](int i) { return std::size_t(n + i); };
    // Surface: -A_0 + B_0 e^(-l h_0) + [s = 0] e^(-l zs) = 0.
    a[0][A(0)] = -1;
    if (n > 1)
        a[0][B(0)] = std::exp(-l * h[0]);
    a[0][std::size_t(m)] = s == 0 ? -std::exp(-l * zs) : 0;
    for (int i = 0; i + 1 < n; ++i) {
        const double d = top[std::size_t(i + 1)];
        const double ei = std::exp(-l * h[std::size_t(i)]);
        const double ej = i + 2 < n ? std::exp(-l * h[std::size_t(i + 1)]) : 0;
        const double src = std::exp(-l * std::abs(d - zs));
        std::vector<double> &v = a[std::size_t(1 + 2 * i)];
        std::vector<double> &c = a[std::size_t(2 + 2 * i)];
        // V_i(d) - V_{i+1}(d) = 0
        v[A(i)] = ei;
        v[B(i)] = 1;
        v[A(i + 1)] = -1;
        if (i + 2 < n)
            v[B(i + 1)] = -ej;
        v[std::size_t(m)] = (s == i + 1 ? src : 0) - (s == i ? src : 0);
        // V_i'(d)/rho_i - V_{i+1}'(d)/rho_{i+1} = 0, derivatives over l
        const double ri = rho[std::size_t(i)];
        const double rj = rho[std::size_t(i + 1)];
        c[A(i)] = -ei / ri;
        c[B(i)] = 1 / ri;
        c[A(i + 1)] = 1 / rj;
        if (i + 2 < n)
            c[B(i + 1)] = -ej / rj;
        c[std::size_t(m)] = (s == i ? src / ri : 0) + (s == i + 1 ? src / rj : 0);
    }
    // Gaussian elimination with partial pivoting.
    for (int k = 0; k < m; ++k) {
        int p = k;
        for (int i = k + 1; i < m; ++i)
            if (std::abs(a[std::size_t(i)][std::size_t(k)]) >
                std::abs(a[std::size_t(p)][std::size_t(k)]))
                p = i;
        std::swap(a[std::size_t(k)], a[std::size_t(p)]);
        for (int i = k + 1; i < m; ++i) {
            const double f = a[std::size_t(i)][std::size_t(k)] / a[std::size_t(k)][std::size_t(k)];
            for (int j = k; j <= m; ++j)
                a[std::size_t(i)][std::size_t(j)] -= f * a[std::size_t(k)][std::size_t(j)];
        }
    }
    std::vector<double> x(std::size_t(m), 0);
    for (int k = m - 1; k >= 0; --k) {
        double sum = a[std::size_t(k)][std::size_t(m)];
        for (int j = k + 1; j < m; ++j)
            sum -= a[std::size_t(k)][std::size_t(j)] * x[std::size_t(j)];
        x[std::size_t(k)] = sum / a[std::size_t(k)][std::size_t(k)];
    }
    const int o = layerOf(z);
    double v = x[A(o)] * std::exp(-l * (z - top[std::size_t(o)]));
    if (o + 1 < n)
        v += x[B(o)] * std::exp(-l * (top[std::size_t(o + 1)] - z));
    if (o == s)
        v += std::exp(-l * std::abs(z - zs));
    return v;
}

inline double simpson(const std::function<double(double)> &f, double a, double b, double fa, double fm,
               double fb, double whole, double tolerance, int depth) {
    const double m = (a + b) / 2;
    const double flm = f((a + m) / 2);
    const double frm = f((m + b) / 2);
    const double left = (m - a) / 6 * (fa + 4 * flm + fm);
    const double right = (b - m) / 6 * (fm + 4 * frm + fb);
    if (depth <= 0 || std::abs(left + right - whole) <= 15 * tolerance)
        return left + right + (left + right - whole) / 15;
    return simpson(f, a, m, fa, flm, fm, left, tolerance / 2, depth - 1) +
           simpson(f, m, b, fm, frm, fb, right, tolerance / 2, depth - 1);
}

inline double adaptive(const std::function<double(double)> &f, double a, double b, double tolerance) {
    const double fa = f(a);
    const double fb = f(b);
    const double fm = f((a + b) / 2);
    return simpson(f, a, b, fa, fm, fb, (b - a) / 6 * (fa + 4 * fm + fb), tolerance, 40);
}

// The potential by quadrature over lambda between the zeros of J0 (near (k - 1/4) pi / r),
// until the kernel, falling at least as e^(-l |z - zs|) and |z - zs| > 0, leaves nothing.
inline double directPotential(const std::vector<double> &rho, const std::vector<double> &h, double r,
                       double z, double zs) {
    const auto f = [&](double l) {
        return directKernel(rho, h, l, z, zs) * std::cyl_bessel_j(0.0, l * r);
    };
    const double end = 45 / std::abs(z - zs);
    double sum = 0;
    double from = 0;
    for (int k = 1; from < end; ++k) {
        const double to = (k - 0.25) * M_PI / r;
        sum += adaptive(f, from, to, 1e-13);
        from = to;
    }
    int s = 0;
    double depth = 0;
    while (s + 1 < int(rho.size()) && zs > depth + h[std::size_t(s)])
        depth += h[std::size_t(s++)];
    return rho[std::size_t(s)] / (4 * M_PI) * sum;
}


} // namespace layeredreference
