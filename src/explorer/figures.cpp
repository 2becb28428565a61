#include "explorer/figures.h"

#include <cmath>

#include "geometry/derivative.h"

namespace {

struct Tally {
  Figure f;
  double sum = 0;

  // One place, whose normal is `n` and the surface's own there is `own`.
  void add(const Facet& n, const SurfaceNormal& own, int a, int b) {
    if (n.degenerate) {
      ++f.degenerate;
    } else if (own.status == OwnNormal::kNotSmooth) {
      ++f.notSmooth;
    } else if (own.status == OwnNormal::kUnreliable) {
      ++f.unreliable;
    } else if (!own.defined) {
      ++f.noNormal;
    } else {
      const double angle = angleDegrees(n.normal, own.normal);
      ++f.counted;
      sum += angle;
      if (f.worst[0] < 0 || angle > f.largest) {
        f.largest = angle;
        f.worst[0] = a;
        f.worst[1] = b;
      }
    }
  }
  Figure done() {
    f.mean = f.counted > 0 ? sum / f.counted : 0;
    return f;
  }
};

// The figures of the kinds `wanted` on `grid`, each own normal worked out once per place.
void figuresOn(const PointFunction& point, const Grid& grid, const bool wanted[kNormalKinds],
               Figure out[kNormalKinds]) {
  Tally t[kNormalKinds];
  for (int k = 0; k < kNormalKinds; ++k) t[k].f.kind = static_cast<NormalKind>(k);
  const std::vector<Vector3> p = gridPoints(point, grid);
  const int row = grid.cellsV + 1;
  if (wanted[0] || wanted[1]) {
    for (int i = 0; i < grid.cellsU; ++i) {
      for (int j = 0; j < grid.cellsV; ++j) {
        const int k = i * row + j;
        const Cell cell = cellFromCorners(p[k], p[k + 1], p[k + row + 1], p[k + row]);
        if (!isDrawable(cell)) {
          for (Tally& each : t) ++each.f.undrawable;
          continue;
        }
        const Facet facets[2] = {cornerNormal(cell), diagonalNormal(cell)};
        const bool needed = (wanted[0] && !facets[0].degenerate) ||
                            (wanted[1] && !facets[1].degenerate);
        const SurfaceNormal own =
            needed ? surfaceNormalAtMiddle(point, grid.cell(i, j)) : SurfaceNormal{};
        for (int kind = 0; kind < 2; ++kind) t[kind].add(facets[kind], own, i, j);
      }
    }
  }
  if (wanted[2]) {
    const std::vector<Facet> normals = vertexNormals(p, grid);
    Tally& v = t[2];
    v.f.undrawable = 0;
    for (int i = 0; i <= grid.cellsU; ++i) {
      for (int j = 0; j <= grid.cellsV; ++j) {
        const int k = i * row + j;
        if (!isDrawable(p[k])) {
          ++v.f.undrawable;
          continue;
        }
        const SurfaceNormal own =
            normals[k].degenerate ? SurfaceNormal{} : surfaceNormalAt(point, grid.u(i), grid.v(j));
        v.add(normals[k], own, i, j);
      }
    }
  }
  for (int k = 0; k < kNormalKinds; ++k) out[k] = t[k].done();
}

Grid halfOf(const Grid& g) {
  if (g.viewers) return Grid::over(g.cellsU / 2, g.cellsV / 2);
  return Grid::over(g.cellsU / 2, g.cellsV / 2, g.u0, g.u1, g.v0, g.v1);
}

}  // namespace

const char* kindName(NormalKind kind) {
  static const char* const names[kNormalKinds] = {"corner", "diagonals", "vertex"};
  return names[static_cast<int>(kind)];
}

Figure figure(const PointFunction& point, const Grid& grid, NormalKind kind) {
  bool wanted[kNormalKinds] = {};
  wanted[static_cast<int>(kind)] = true;
  Figure out[kNormalKinds];
  figuresOn(point, grid, wanted, out);
  return out[static_cast<int>(kind)];
}

Figures normalFigures(const PointFunction& point, const Grid& grid) {
  Figures f;
  const bool all[kNormalKinds] = {true, true, true};
  figuresOn(point, grid, all, f.at);
  f.half = halfOf(grid);
  f.halved = f.half.cellsU >= 2 && f.half.cellsV >= 2;
  for (int k = 0; k < kNormalKinds; ++k) f.order[k] = f.orderOfMean[k] = NAN;
  if (!f.halved) return f;
  figuresOn(point, f.half, all, f.coarse);
  // The cells' sizes differ by the cells' ratio each way (2.1 for the viewer's 21 against 10).
  const double ratio = std::sqrt(static_cast<double>(grid.cellsU) / f.half.cellsU *
                                 grid.cellsV / f.half.cellsV);
  const auto order = [ratio](double fine, double coarse) {
    const bool exact = !(fine > kExactDegrees) || !(coarse > kExactDegrees);
    return exact ? NAN : std::log(coarse / fine) / std::log(ratio);
  };
  for (int k = 0; k < kNormalKinds; ++k) {
    f.order[k] = order(f.at[k].largest, f.coarse[k].largest);
    f.orderOfMean[k] = order(f.at[k].mean, f.coarse[k].mean);
  }
  return f;
}
