#pragma once
// Thins a long line to what the screen can show. Every point drawn costs a stroke, so tens of
// thousands of points per line make each repaint slow; a pixel column can show no more than the
// stroke from its lowest to its highest point and the lines to its neighbours.
#include <QList>
#include <QPointF>
#include <vector>

namespace orv {

// Points of (x, y), x ascending, needed to draw the part [x0, x1] over `columns` pixel columns:
// for every column its lowest and highest point in X order, plus the nearest point outside each
// edge so the line runs on to the border. When the part holds no more than two points per
// column, all of them are returned unchanged.
QList<QPointF> ReducePointsForDisplay(const std::vector<double> &x, const std::vector<double> &y,
                                      double x0, double x1, int columns);

// All points, for comparison and for short lines.
QList<QPointF> AllPoints(const std::vector<double> &x, const std::vector<double> &y);

} // namespace orv
