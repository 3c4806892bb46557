// The blocks the operating modes move between windows: each one moves alone
// and comes back to exactly where it was, the controls that stay do not
// move meanwhile, and no selection is lost on the way.
#include <QAbstractItemView>
#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <set>

#include "panel/signal/input_table.h"
#include "panel/signal/output_format.h"
#include "panel/signal/output_panel.h"
#include "panel/signal/signal_blocks.h"
#include "panel/signal/status_grid.h"
#include "panel/signal/tally_panel.h"
#include "panel/signal/transition_panel.h"
#include "signal_test_support.h"
#include "widgets/movable_block.h"

namespace signal_test {
namespace {

struct Place {
  QWidget* parent = nullptr;
  int index = -1;  // among the parent's child widgets (stacking order)
  QRect geometry;
  bool visible = false;
  bool hidden = false;
  bool operator==(const Place&) const = default;
};
using Tree = std::map<QWidget*, Place>;

QString nameOf(const QWidget* w) {
  QString path;
  for (const QWidget* p = w; p; p = p->parentWidget()) {
    const QString n = p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName();
    path = path.isEmpty() ? n : n + QLatin1Char('/') + path;
    if (!p->objectName().isEmpty() && p != w) break;
  }
  return path;
}

std::string show(const Place& p) {
  return QStringLiteral("parent %1, index %2, (%3, %4) %5 x %6, %7%8")
      .arg(p.parent ? nameOf(p.parent) : QStringLiteral("none"))
      .arg(p.index)
      .arg(p.geometry.x())
      .arg(p.geometry.y())
      .arg(p.geometry.width())
      .arg(p.geometry.height())
      .arg(p.visible ? QStringLiteral("visible") : QStringLiteral("not visible"))
      .arg(p.hidden ? QStringLiteral(", hidden") : QString())
      .toStdString();
}

int widgetIndex(const QWidget* w) {
  int i = 0;
  for (QObject* o : w->parentWidget()->children()) {
    if (o == w) return i;
    if (qobject_cast<QWidget*>(o)) ++i;
  }
  return -1;
}

// Every widget under root (menus and other windows left out), keeping what
// is already there.
void recordUnder(QWidget* root, Tree& tree) {
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (w->isWindow()) continue;
    bool inWindow = false;
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget()) inWindow = inWindow || p->isWindow();
    if (inWindow) continue;
    tree.emplace(w, Place{w->parentWidget(), widgetIndex(w), w->geometry(), w->isVisible(), w->isHidden()});
  }
}

struct Selections {
  std::map<QComboBox*, int> combos;
  std::map<TSmallCombo*, int> small;
  bool operator==(const Selections&) const = default;
};

// The layout item holding w in its parent's layout tree, with that layout.
QLayout* holderOf(QLayout* layout, QWidget* w) {
  if (!layout) return nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == w) return layout;
    if (QLayout* inner = holderOf(item->layout(), w)) return inner;
  }
  return nullptr;
}

bool inside(const QWidget* w, const std::set<QWidget*>& blocks) {
  for (const QWidget* p = w; p; p = p->parentWidget())
    if (blocks.count(const_cast<QWidget*>(p))) return true;
  return false;
}

class BlocksTest : public SignalTest {
 protected:
  void SetUp() override {
    SignalTest::SetUp();
    window.resize(1800, 900);
    window.show();
    scratch.setObjectName(QStringLiteral("Scratch"));
    scratch.resize(900, 700);
    new QVBoxLayout(&scratch);
    scratch.show();
    feed({"OFTM1"});  // 800x600 at 60 Hz: the rate lists fill
    settle();
  }

  void settle() {
    for (int i = 0; i < 3; ++i) {
      QApplication::sendPostedEvents();
      QApplication::processEvents();
    }
  }

  // Lays out every page in turn (a tab widget lays out only its current
  // page) and records the whole main window.
  Tree record() {
    Tree tree;
    const int current = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      settle();
      recordUnder(tabs->widget(i), tree);
    }
    tabs->setCurrentIndex(current);
    settle();
    recordUnder(&window, tree);
    return tree;
  }

  Selections selections() {
    Selections s;
    for (QComboBox* c : window.findChildren<QComboBox*>()) s.combos[c] = c->currentIndex();
    for (TSmallCombo* c : window.findChildren<TSmallCombo*>()) s.small[c] = c->ItemIndex();
    return s;
  }

  // Every list with a choice to make gets its last item.
  void chooseLastItems() {
    int chosen = 0;
    for (QComboBox* c : window.findChildren<QComboBox*>())
      if (c->count() >= 2) {
        c->setCurrentIndex(c->count() - 1);
        ++chosen;
      }
    for (TSmallCombo* c : window.findChildren<TSmallCombo*>()) {
      const int n = c->PopUpMenu() ? static_cast<int>(c->PopUpMenu()->actions().size()) : c->ItemCount();
      if (n >= 2) {
        c->SetItemIndex(n - 1);
        ++chosen;
      }
    }
    ASSERT_GE(chosen, 10) << "too few lists to check";
  }

  static void expectSame(const Tree& before, const Tree& after, const char* when) {
    EXPECT_EQ(before.size(), after.size()) << when;
    for (const auto& [w, place] : before) {
      const auto it = after.find(w);
      if (it == after.end()) {
        ADD_FAILURE() << when << ": " << nameOf(w).toStdString() << " is gone";
        continue;
      }
      EXPECT_EQ(place, it->second) << when << ": " << nameOf(w).toStdString() << "\n  was " << show(place)
                                   << "\n  now " << show(it->second);
    }
  }

  QWidget scratch;
};

}  // namespace

TEST_F(BlocksTest, EveryBlockIsOneWidgetThatSitsOnlyWithOtherBlocks) {
  const zelvan::signal::TSignalBlocks b = panels->blocks();
  const std::vector<QWidget*> all = panels->movableBlocks();
  ASSERT_EQ(all, b.all());
  QStringList names;
  for (QWidget* w : all) {
    ASSERT_NE(w, nullptr);
    names << w->objectName();
  }
  EXPECT_EQ(names, QStringList({"GroupBox_Used", "GroupBox_Signal_Type", "GroupBox_Standard", "GroupBox_VCR",
                                "GroupBox_H_sync_load", "GroupBox_Vertical_input_switching", "Panel_input_buttons",
                                "new_Panel1", "StringGrid1", "GroupBox_Output", "LMDRadioGroup_osyn_Main",
                                "LMDRadioGroup_osyn_Preview", "LMDRadioGroup_test_pattern_Main",
                                "LMDRadioGroup_test_pattern_Preview", "LMDRadioGroup_typeofscreen",
                                "PageControl_image_Main", "PageControl_image_Preview", "Panel_audio",
                                "ListBox_Fade_output1", "BitBtn_Take", "BitBtn_Freeze_main", "BitBtn_Freeze_preview"}));
  const std::set<QWidget*> blocks(all.begin(), all.end());
  ASSERT_EQ(blocks.size(), all.size()) << "a block listed twice";
  for (QWidget* w : all) {
    // Blocks do not hold one another: each moves on its own.
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
      EXPECT_FALSE(blocks.count(p)) << nameOf(w).toStdString() << " lies in block " << nameOf(p).toStdString();
    if (w == b.statusGrid) continue;  // placed by the main window
    // Whatever shares its layout also moves: the controls that stay sit in
    // slots of their own.
    QLayout* holder = w->parentWidget()->layout() ? holderOf(w->parentWidget()->layout(), w) : nullptr;
    if (!holder) continue;
    for (int i = 0; i < holder->count(); ++i) {
      QWidget* other = holder->itemAt(i)->widget();
      if (!other) continue;
      EXPECT_TRUE(blocks.count(other)) << nameOf(w).toStdString() << " shares a layout with "
                                       << nameOf(other).toStdString();
    }
  }
  // The controls that stay are no blocks.
  EXPECT_FALSE(blocks.count(panels->inputTable()->group(zelvan::signal::TInputTable::Extend)));
  EXPECT_FALSE(blocks.count(panels->tally()->GroupBox_Tally()));
  EXPECT_FALSE(blocks.count(panels->transition()->PanelTBAR()));
}

TEST_F(BlocksTest, OutputTabKeepsTheFormatGroupBesideTheTalliesAboveTheRadioRows) {
  settle();
  tabs->setCurrentWidget(find<QWidget>("Output"));
  settle();
  QWidget* format = panels->output()->GroupBox_Output();
  QWidget* tally = panels->tally()->GroupBox_Tally();
  QWidget* radios = find<QWidget>("Panel_output_radios");
  EXPECT_EQ(format->parentWidget(), tally->parentWidget());
  EXPECT_EQ(format->y(), tally->y());
  EXPECT_GT(tally->x(), format->geometry().right());
  // The row is shared three to two.
  EXPECT_NEAR(double(format->width()) / tally->width(), 1.5, 0.05);
  EXPECT_GT(radios->y(), format->geometry().bottom());
  EXPECT_GT(radios->y(), tally->geometry().bottom());
  auto* sync = panels->output()->LMDRadioGroup_osyn(1);
  auto* pattern = panels->output()->LMDRadioGroup_test_pattern(1);
  EXPECT_LT(sync->y(), pattern->y()) << "sync and screen row above the test patterns";
  EXPECT_EQ(panels->output()->LMDRadioGroup_typeofscreen()->y(), sync->y());
}

TEST_F(BlocksTest, EveryBlockGoesAwayAndComesBackWithTheWindowAndTheSelectionsUnchanged) {
  chooseLastItems();
  // A block hidden at home stays hidden on the way and back.
  panels->transition()->BitBtn_Freeze_preview()->hide();
  settle();
  const Tree before = record();
  const Selections chosen = selections();
  const std::vector<QWidget*> all = panels->movableBlocks();
  const std::set<QWidget*> blockSet(all.begin(), all.end());

  for (bool reverse : {false, true}) {
    std::vector<std::unique_ptr<TBlockHome>> homes;
    for (QWidget* w : all) {
      homes.push_back(std::make_unique<TBlockHome>(w));
      homes.back()->moveTo(&scratch);
    }
    const Tree away = record();
    for (QWidget* w : all) EXPECT_EQ(w->parentWidget(), &scratch) << nameOf(w).toStdString();
    EXPECT_FALSE(panels->transition()->BitBtn_Freeze_preview()->isVisible());
    EXPECT_TRUE(panels->transition()->BitBtn_Take()->isVisible());
    // The controls that stay keep their places meanwhile.
    for (const auto& [w, place] : before) {
      if (inside(w, blockSet)) continue;
      const auto it = away.find(w);
      ASSERT_NE(it, away.end()) << nameOf(w).toStdString();
      EXPECT_EQ(place.parent, it->second.parent) << nameOf(w).toStdString();
      EXPECT_EQ(place.geometry, it->second.geometry) << nameOf(w).toStdString() << " moved while the blocks were away";
      EXPECT_EQ(place.visible, it->second.visible) << nameOf(w).toStdString();
    }

    if (reverse)
      for (auto it = homes.rbegin(); it != homes.rend(); ++it) EXPECT_TRUE((*it)->restore());
    else
      for (auto& h : homes) EXPECT_TRUE(h->restore());
    expectSame(before, record(), reverse ? "back in reverse order" : "back in order");
    EXPECT_EQ(selections(), chosen);
  }
}

TEST_F(BlocksTest, RateListSelectionsSurviveAModeChangeThatLosesThem) {
  // The output-follow list, the rate list and its shortcut list of output 1
  // are remembered before the moves and given back after them.
  chooseLastItems();
  zelvan::signal::TOutputFormatSide* side = panels->output()->side(1);
  TComboSelections saved;
  saved.add(side->ComboBox_follow());
  saved.add(side->ComboBox_freq());
  saved.add(side->ComboBox_freq_RACCOURCI());
  const int follow = side->ComboBox_follow()->ItemIndex();
  const int rate = side->ComboBox_freq()->currentIndex();
  const int shortcut = side->ComboBox_freq_RACCOURCI()->currentIndex();
  EXPECT_EQ(saved.count(), 3);
  ASSERT_GE(follow, 1);
  ASSERT_GE(rate, 1);
  ASSERT_GE(shortcut, 1);

  TBlockHome home(panels->output()->GroupBox_Output());
  home.moveTo(&scratch);
  side->ComboBox_follow()->SetItemIndex(-1);
  side->ComboBox_freq()->setCurrentIndex(-1);
  side->ComboBox_freq_RACCOURCI()->setCurrentIndex(-1);
  ASSERT_TRUE(home.restore());
  saved.restore();
  EXPECT_EQ(side->ComboBox_follow()->ItemIndex(), follow);
  EXPECT_EQ(side->ComboBox_freq()->currentIndex(), rate);
  EXPECT_EQ(side->ComboBox_freq_RACCOURCI()->currentIndex(), shortcut);
}

TEST(StatusGrid, OneBuilderForBothOutputs) {
  for (int output : {1, 2}) {
    std::unique_ptr<QTableWidget> g(zelvan::signal::makeStatusGrid(nullptr, "StringGrid", output));
    EXPECT_EQ(g->objectName(), QStringLiteral("StringGrid"));
    ASSERT_EQ(g->rowCount(), 16);
    ASSERT_EQ(g->columnCount(), 3);
    EXPECT_EQ(g->columnWidth(0), 118);
    EXPECT_EQ(g->columnWidth(1), 65);
    EXPECT_EQ(g->columnWidth(2), 32);
    for (int r = 0; r < 16; ++r) {
      EXPECT_EQ(g->rowHeight(r), 16) << r;
      for (int c = 0; c < 3; ++c) EXPECT_NE(g->item(r, c), nullptr) << r << "," << c;
    }
    EXPECT_TRUE(g->horizontalHeader()->isHidden());
    EXPECT_TRUE(g->verticalHeader()->isHidden());
    EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(g->selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_EQ(g->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(g->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(g->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(g->item(2, 0)->text(), output == 1 ? QStringLiteral("XGA(ifamm)") : QStringLiteral("XGA(ifamp)"));
    EXPECT_EQ(g->item(0, 1)->text(), QStringLiteral("STATUS:"));
    EXPECT_EQ(g->item(6, 1)->text(), QStringLiteral("REF:"));
    EXPECT_EQ(g->item(15, 0)->text(), QStringLiteral("Output sync:"));

    // Writing the captions again keeps what the status rows show.
    g->item(1, 1)->setText(QStringLiteral("Input 3"));
    g->item(0, 1)->setText(QStringLiteral("stale"));
    zelvan::signal::writeStatusGridCaptions(g.get(), output);
    EXPECT_EQ(g->item(1, 1)->text(), QStringLiteral("Input 3"));
    EXPECT_EQ(g->item(0, 1)->text(), QStringLiteral("STATUS:"));
  }
}

TEST_F(SignalTest, PanelsOwnStatusGridsAreBuiltLikeTheMainWindows) {
  QTableWidget* g2 = panels->StringGrid2();
  ASSERT_NE(g2, nullptr);
  EXPECT_EQ(g2->columnWidth(0), 118);
  EXPECT_EQ(g2->rowHeight(15), 16);
  EXPECT_EQ(g2->item(2, 0)->text(), QStringLiteral("XGA(ifamp)"));
  EXPECT_EQ(g2->editTriggers(), QAbstractItemView::NoEditTriggers);
}

}  // namespace signal_test
