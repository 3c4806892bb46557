#include <gtest/gtest.h>

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <memory>
#include <vector>

#include "widgets/movable_block.h"
#include "widgets/tsmallcombo.h"

namespace {

QWidget* child(QWidget* parent, const char* name) {
  auto* w = new QLabel(QString::fromLatin1(name), parent);
  w->setObjectName(QString::fromLatin1(name));
  w->setMinimumSize(40, 20);
  return w;
}

// Position among the parent's child widgets (its stacking order).
int siblingIndex(const QWidget* w) {
  int i = 0;
  for (QObject* o : w->parentWidget()->children()) {
    if (o == w) return i;
    if (qobject_cast<QWidget*>(o)) ++i;
  }
  return -1;
}

void settle(QWidget* window) {
  if (window->layout()) window->layout()->activate();
  QApplication::processEvents();
}

class BlockHomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(400, 200);
    scratch.resize(400, 200);
    new QVBoxLayout(&scratch);
  }
  QWidget window;
  QWidget scratch;
};

}  // namespace

TEST_F(BlockHomeTest, BoxSlotComesBackWithItsStretchAndAlignmentAndTheOthersKeepTheirPlaces) {
  auto* row = new QHBoxLayout(&window);
  QWidget* a = child(&window, "a");
  QWidget* b = child(&window, "b");
  QWidget* c = child(&window, "c");
  row->addWidget(a, 1);
  row->addWidget(b, 2, Qt::AlignTop);
  row->addWidget(c);
  window.show();
  scratch.show();
  settle(&window);
  const QRect ga = a->geometry(), gb = b->geometry(), gc = c->geometry();

  TBlockHome home(b);
  home.moveTo(&scratch);
  settle(&window);
  EXPECT_TRUE(home.isAway());
  EXPECT_EQ(home.slot(), TBlockHome::Slot::Box);
  EXPECT_EQ(b->parentWidget(), &scratch);
  EXPECT_TRUE(b->isVisible()) << "a shown block shows in its new window";
  EXPECT_EQ(row->indexOf(b), -1);
  // Its slot keeps its room: the neighbours do not move while it is away.
  EXPECT_EQ(a->geometry(), ga);
  EXPECT_EQ(c->geometry(), gc);

  ASSERT_TRUE(home.restore());
  settle(&window);
  EXPECT_FALSE(home.isAway());
  EXPECT_EQ(b->parentWidget(), &window);
  EXPECT_EQ(row->count(), 3);
  EXPECT_EQ(row->indexOf(b), 1);
  EXPECT_EQ(row->stretch(1), 2);
  EXPECT_EQ(row->itemAt(1)->alignment(), Qt::AlignTop);
  EXPECT_EQ(siblingIndex(b), 1);
  EXPECT_TRUE(b->isVisible());
  EXPECT_EQ(a->geometry(), ga);
  EXPECT_EQ(b->geometry(), gb);
  EXPECT_EQ(c->geometry(), gc);
  EXPECT_FALSE(home.restore()) << "nothing to give back twice";
}

TEST_F(BlockHomeTest, BlocksOfOneLayoutComeBackInAnyOrder) {
  auto* row = new QHBoxLayout(&window);
  std::vector<QWidget*> w;
  for (const char* n : {"a", "b", "c", "d", "e"}) {
    w.push_back(child(&window, n));
    row->addWidget(w.back());
  }
  window.show();
  settle(&window);
  std::vector<QRect> before;
  for (QWidget* x : w) before.push_back(x->geometry());

  for (const std::vector<int>& order : {std::vector<int>{1, 2, 3}, std::vector<int>{3, 2, 1}, std::vector<int>{2, 3, 1}}) {
    std::vector<std::unique_ptr<TBlockHome>> homes;
    for (int i : {1, 2, 3}) {
      homes.push_back(std::make_unique<TBlockHome>(w[static_cast<size_t>(i)]));
      homes.back()->moveTo(&scratch);
    }
    settle(&window);
    EXPECT_EQ(w[0]->geometry(), before[0]);
    EXPECT_EQ(w[4]->geometry(), before[4]);
    for (int i : order) EXPECT_TRUE(homes[static_cast<size_t>(i - 1)]->restore());
    settle(&window);
    for (size_t i = 0; i < w.size(); ++i) {
      EXPECT_EQ(row->indexOf(w[i]), static_cast<int>(i)) << "layout slot of " << i;
      EXPECT_EQ(siblingIndex(w[i]), static_cast<int>(i)) << "stacking of " << i;
      EXPECT_EQ(w[i]->geometry(), before[i]) << "geometry of " << i;
    }
  }
}

TEST_F(BlockHomeTest, GridCellComesBackWithItsSpans) {
  auto* grid = new QGridLayout(&window);
  QWidget* x = child(&window, "x");
  QWidget* y = child(&window, "y");
  QWidget* z = child(&window, "z");
  grid->addWidget(x, 0, 0);
  grid->addWidget(y, 0, 1, 2, 2, Qt::AlignRight);
  grid->addWidget(z, 1, 0);
  window.show();
  settle(&window);
  const QRect gx = x->geometry(), gy = y->geometry(), gz = z->geometry();

  TBlockHome home(y);
  home.moveTo(&scratch);
  EXPECT_EQ(home.slot(), TBlockHome::Slot::Grid);
  settle(&window);
  EXPECT_EQ(x->geometry(), gx);
  EXPECT_EQ(z->geometry(), gz);
  ASSERT_TRUE(home.restore());
  settle(&window);
  const int i = grid->indexOf(y);
  ASSERT_GE(i, 0);
  int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
  grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
  EXPECT_EQ(row, 0);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(rowSpan, 2);
  EXPECT_EQ(columnSpan, 2);
  EXPECT_EQ(grid->itemAt(i)->alignment(), Qt::AlignRight);
  EXPECT_EQ(grid->count(), 3);
  EXPECT_EQ(y->geometry(), gy);
}

TEST_F(BlockHomeTest, PlainGeometryAndStackingComeBack) {
  QWidget* p = child(&window, "p");
  QWidget* q = child(&window, "q");
  QWidget* r = child(&window, "r");
  p->setGeometry(0, 0, 50, 20);
  q->setGeometry(10, 20, 50, 40);
  r->setGeometry(60, 0, 50, 20);
  window.show();

  TBlockHome home(q);
  home.moveTo(&scratch, QRect(5, 6, 70, 80));
  EXPECT_EQ(home.slot(), TBlockHome::Slot::Geometry);
  EXPECT_EQ(q->parentWidget(), &scratch);
  EXPECT_EQ(q->geometry(), QRect(5, 6, 70, 80));
  // Moving again while away keeps the first home.
  auto* other = new QWidget(&scratch);
  home.moveTo(other, QRect(1, 2, 3, 4));
  EXPECT_EQ(q->parentWidget(), other);
  EXPECT_EQ(home.homeParent(), &window);

  ASSERT_TRUE(home.restore());
  EXPECT_EQ(q->parentWidget(), &window);
  EXPECT_EQ(q->geometry(), QRect(10, 20, 50, 40));
  EXPECT_EQ(siblingIndex(p), 0);
  EXPECT_EQ(siblingIndex(q), 1);
  EXPECT_EQ(siblingIndex(r), 2);
  EXPECT_TRUE(q->isVisible());
}

TEST_F(BlockHomeTest, VisibilityIsKeptBothWays) {
  auto* column = new QVBoxLayout(&window);
  QWidget* shown = child(&window, "shown");
  QWidget* hidden = child(&window, "hidden");
  column->addWidget(shown);
  column->addWidget(hidden);
  hidden->hide();
  window.show();
  scratch.show();

  TBlockHome a(shown);
  TBlockHome b(hidden);
  a.moveTo(&scratch);
  b.moveTo(&scratch);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_FALSE(hidden->isVisible());
  EXPECT_TRUE(hidden->isHidden());
  // Whatever happens to it while away, it comes back as it left.
  shown->hide();
  hidden->show();
  ASSERT_TRUE(a.restore());
  ASSERT_TRUE(b.restore());
  QApplication::processEvents();
  EXPECT_TRUE(shown->isVisible());
  EXPECT_TRUE(hidden->isHidden());
  EXPECT_FALSE(hidden->isVisible());
  EXPECT_EQ(column->indexOf(shown), 0);
  EXPECT_EQ(column->indexOf(hidden), 1);

  // A block whose window is not shown yet still shows with it afterwards.
  QWidget later;
  auto* lay = new QHBoxLayout(&later);
  QWidget* inner = child(&later, "inner");
  lay->addWidget(inner);
  TBlockHome c(inner);
  c.moveTo(&scratch);
  EXPECT_TRUE(inner->isVisible());
  ASSERT_TRUE(c.restore());
  later.show();
  QApplication::processEvents();
  EXPECT_TRUE(inner->isVisible());
}

TEST_F(BlockHomeTest, ForeignLayoutsAreLeftOnTheWayBack) {
  auto* row = new QHBoxLayout(&window);
  QWidget* a = child(&window, "a");
  QWidget* b = child(&window, "b");
  row->addWidget(a);
  row->addWidget(b);
  auto* target = static_cast<QBoxLayout*>(scratch.layout());
  target->addWidget(child(&scratch, "resident"));

  TBlockHome home(a);
  home.moveInto(target, 0, 3);
  EXPECT_EQ(a->parentWidget(), &scratch);
  EXPECT_EQ(target->indexOf(a), 0);
  EXPECT_EQ(target->stretch(0), 3);
  auto* grid = new QGridLayout;
  target->addLayout(grid);
  home.moveInto(grid, 1, 1);
  EXPECT_EQ(target->indexOf(a), -1);
  EXPECT_GE(grid->indexOf(a), 0);

  ASSERT_TRUE(home.restore());
  EXPECT_EQ(grid->count(), 0);
  EXPECT_EQ(target->count(), 2);  // the resident and the grid
  EXPECT_EQ(row->indexOf(a), 0);
  EXPECT_EQ(row->indexOf(b), 1);
  EXPECT_EQ(row->count(), 2);
}

TEST_F(BlockHomeTest, GoneBlocksAndForgottenHomesLeaveNoStandIn) {
  auto* row = new QHBoxLayout(&window);
  QWidget* a = child(&window, "a");
  QWidget* b = child(&window, "b");
  row->addWidget(a);
  row->addWidget(b);
  {
    TBlockHome home(a);
    home.moveTo(&scratch);
    EXPECT_EQ(row->count(), 2);  // b and the stand-in
    delete a;
    EXPECT_FALSE(home.restore());
    EXPECT_EQ(row->count(), 1);
    EXPECT_EQ(row->indexOf(b), 0);
  }
  {
    TBlockHome home(b);
    home.moveTo(&scratch);
  }
  EXPECT_EQ(row->count(), 0) << "a forgotten home takes its stand-in away";
  EXPECT_EQ(b->parentWidget(), &scratch);

  // A home handed over keeps the way back.
  QWidget* c = child(&window, "c");
  row->addWidget(c);
  TBlockHome first(c);
  first.moveTo(&scratch);
  TBlockHome second(std::move(first));
  EXPECT_FALSE(first.isAway());
  EXPECT_FALSE(first.restore());
  ASSERT_TRUE(second.restore());
  EXPECT_EQ(row->indexOf(c), 0);
  EXPECT_EQ(row->count(), 1);
}

TEST(ComboSelections, GiveBackWhatAMoveLost) {
  QWidget root;
  auto* plain = new QComboBox(&root);
  plain->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  plain->setCurrentIndex(2);
  auto* inner = new QWidget(&root);
  auto* small = new TSmallCombo(inner);
  small->AddItem(QStringLiteral("x"));
  small->AddItem(QStringLiteral("y"));
  small->SetItemIndex(1);
  auto* gone = new QComboBox(&root);
  gone->addItem(QStringLiteral("z"));
  int smallChanges = 0;
  small->OnChange = [&](QObject*) { ++smallChanges; };

  TComboSelections saved;
  saved.save(&root);
  EXPECT_EQ(saved.count(), 3);
  plain->setCurrentIndex(0);
  small->SetItemIndex(-1);
  delete gone;
  smallChanges = 0;
  saved.restore();
  EXPECT_EQ(plain->currentIndex(), 2);
  EXPECT_EQ(small->ItemIndex(), 1);
  EXPECT_EQ(small->Text(), QStringLiteral("y"));
  EXPECT_EQ(smallChanges, 1);
  // Nothing to give back: nothing changes, nobody is told.
  saved.restore();
  EXPECT_EQ(smallChanges, 1);

  TComboSelections one;
  one.save(small);
  EXPECT_EQ(one.count(), 1) << "the root itself counts";
  one.clear();
  EXPECT_EQ(one.count(), 0);
}
