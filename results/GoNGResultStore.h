#pragma once

#include <QString>

class GridCells;

// The GO/NG result tables: one SQLite file per recorder name in the program's "db" folder,
// each holding one table of the six fields Channel (integer), Setting, Real, Max, Min and Pass
// (texts of at most 20 characters), three rows per step in insertion order.
namespace GoNGResultStore {

inline constexpr char TableName[] = "GoNGResults";
inline constexpr int TextWidth = 20;

// "<programDir>/db"
QString ResultFolder(const QString& programDir);

// The table file for a recorder name: the name as it is when it contains ".DB" in any letter
// case, otherwise the name followed by ".db"; empty when the name is no valid file name.
QString TableFileName(const QString& recorderName);

// Creates an empty result table in the file at `path`; returns an error text or "".
QString CreateGoNGResultTable(const QString& path);

// Records the whole GO/NG grid under the recorder name, replacing the rows of an earlier run.
// The table is rewritten in one transaction, so a failure leaves the earlier rows as they
// were. Returns an error text or "".
QString SaveGoNGResults(const QString& programDir, const QString& recorderName,
                        const GridCells& goNGGrid);

} // namespace GoNGResultStore
