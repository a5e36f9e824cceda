#pragma once
// The grids' column widths, kept per login and grid in ColSize on the working connection.
#include <QList>
#include <QString>
#include <optional>

namespace orv {
class Grid;
class ListGrid;
}  // namespace orv

// The stored widths text of a grid: each width as a decimal without trailing zeros,
// separated by one blank.
QString ColSizeText(const QList<double> &widths);
// The widths a stored text gives a grid of maxCols columns; nullopt when the text is blank
// or its word count is not maxCols.
std::optional<QList<double>> ParseColSize(const QString &text, int maxCols);

// A failed read keeps the design widths; a failed store is rolled back silently.
void LoadColSize(orv::ListGrid *grid, const QString &name);
void SaveColSize(orv::ListGrid *grid, const QString &name);
void LoadColSize(orv::Grid *grid, const QString &name);
void SaveColSize(orv::Grid *grid, const QString &name);
