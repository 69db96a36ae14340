#include "bench/bench_grid.h"

#include "kit/Grid.h"

#include <QElapsedTimer>
#include <cstdio>

void benchGrid()
{
    const int n = 100000, cols = 17;
    Grid g;
    QStringList headers;
    for (int c = 1; c <= cols; ++c) headers << QStringLiteral("열%1").arg(c);
    g.setHeaders(headers);
    g.resize(1200, 800);
    g.show();
    // The texts are made beforehand: this measures the grid, not number formatting.
    QStringList pool;
    for (int i = 0; i < 1000; ++i) pool << QStringLiteral("KR0004100%1").arg(i, 4, 10, QChar(u'0'));
    QElapsedTimer t;
    t.start();
    for (int r = 1; r <= n; ++r) {
        g.setMaxRows(r);
        g.setRow(r);
        g.setRowHeight(Grid::kRowHeight);
        for (int c = 1; c <= cols; ++c) {
            g.setCol(c);
            g.setText(pool[(r * 17 + c) % 1000]);
        }
    }
    std::printf("grid_append n=%d total_ms=%lld\n", n, static_cast<long long>(t.elapsed()));
    std::fflush(stdout);
}
