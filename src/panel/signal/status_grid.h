// The status grids StringGrid1 (output 1, Main) and StringGrid2 (output 2,
// Preview / Matrix output 2): 16 rows by 3 columns with their fixed
// captions. Built in one place for every window that shows one.
#pragma once

class QTableWidget;
class QWidget;

namespace zelvan::signal {

// Sizes, items and fixed captions of a status grid for output 1 or 2.
void buildStatusGrid(QTableWidget* grid, int output);
// A new grid, built, named and parented.
QTableWidget* makeStatusGrid(QWidget* parent, const char* name, int output);
// The fixed captions only (input rows 0 to 5, reference rows 6 and 7,
// output rows 9 to 15); row 2 reads "XGA(ifamm)" for output 1 and
// "XGA(ifamp)" for output 2.
void writeStatusGridCaptions(QTableWidget* grid, int output);

}  // namespace zelvan::signal
