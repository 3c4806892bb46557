#include "panel/signal/status_grid.h"

#include <QHeaderView>
#include <QTableWidget>

namespace zelvan::signal {

namespace {
struct Caption {
  int row;
  const char* c0;
  const char* c1;  // nullptr: left as it is
  const char* c2;
};
constexpr Caption kCaptions[] = {
    {0, "                INPUT", "STATUS:", ""},   {1, "computer", nullptr, nullptr},
    {2, "XGA(ifamm)", nullptr, nullptr},           {3, "Line freq:", nullptr, nullptr},
    {4, "Fram freq:", nullptr, nullptr},           {5, "Sync:", nullptr, nullptr},
    {6, "                INPUT", "REF:", ""},      {7, "Internal ref.", nullptr, nullptr},
    {9, "            OUTPUT", "STATUS:", ""},      {10, "Output format:", nullptr, nullptr},
    {11, "Logo or Frame(1):", nullptr, nullptr},   {12, "Logo or Frame(2):", nullptr, nullptr},
    {13, "................", nullptr, nullptr},    {14, "Frame freq:", nullptr, nullptr},
    {15, "Output sync:", nullptr, nullptr},
};
constexpr int kRows = 16;
constexpr int kColumns = 3;
constexpr int kColumnWidths[kColumns] = {118, 65, 32};
constexpr int kRowHeight = 16;

void setText(QTableWidget* g, int row, int column, const QString& text) {
  QTableWidgetItem* item = g->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    g->setItem(row, column, item);
  }
  item->setText(text);
}
}  // namespace

void buildStatusGrid(QTableWidget* g, int output) {
  g->setRowCount(kRows);
  g->setColumnCount(kColumns);
  g->horizontalHeader()->hide();
  g->verticalHeader()->hide();
  g->verticalHeader()->setMinimumSectionSize(12);
  for (int c = 0; c < kColumns; ++c) g->setColumnWidth(c, kColumnWidths[c]);
  for (int r = 0; r < kRows; ++r) {
    g->setRowHeight(r, kRowHeight);
    for (int c = 0; c < kColumns; ++c)
      if (!g->item(r, c)) g->setItem(r, c, new QTableWidgetItem);
  }
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->setSelectionMode(QAbstractItemView::NoSelection);
  g->setFocusPolicy(Qt::NoFocus);
  g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  writeStatusGridCaptions(g, output);
}

QTableWidget* makeStatusGrid(QWidget* parent, const char* name, int output) {
  auto* g = new QTableWidget(parent);
  g->setObjectName(QLatin1String(name));
  buildStatusGrid(g, output);
  return g;
}

void writeStatusGridCaptions(QTableWidget* g, int output) {
  for (const Caption& c : kCaptions) {
    const char* first = c.row == 2 && output == 2 ? "XGA(ifamp)" : c.c0;
    setText(g, c.row, 0, QLatin1String(first));
    if (c.c1) setText(g, c.row, 1, QLatin1String(c.c1));
    if (c.c2) setText(g, c.row, 2, QLatin1String(c.c2));
  }
}

}  // namespace zelvan::signal
