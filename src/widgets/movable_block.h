// Moving a group of controls ("block") to another window and back.
//
// TBlockHome remembers where a block lives (its parent, its place among the
// parent's child widgets, and either its slot in a layout: box-layout index
// with stretch and alignment, grid cell with spans, or its geometry when no
// layout holds it), moves it elsewhere and gives it back to exactly that
// place, with its visibility as it was.
//
// While the block is away its layout slot holds a stand-in item that asks
// the layout for the same room the block did, so the controls that stay
// beside it keep their places, and blocks of one layout can come back in
// any order.
//
// A page of a QTabWidget is no such block (its tab belongs to the tab
// widget): move pages with the tab widget's own insertTab / removeTab.
//
// TComboSelections remembers the selection of drop-down lists (QComboBox,
// TSmallCombo) before such a move and gives it back afterwards.
#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <Qt>
#include <vector>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLayout;
class QLayoutItem;
class QWidget;
class TSmallCombo;

class TBlockHome {
 public:
  // How the block sits in its home.
  enum class Slot {
    Geometry,  // no layout holds it: its geometry
    Box,       // a QBoxLayout: index, stretch, alignment
    Grid,      // a QGridLayout: row, column, spans, alignment
    Other,     // another kind of layout: added back at its end
  };

  explicit TBlockHome(QWidget* block);
  // A block still away stays where it is; its stand-in leaves the home layout.
  ~TBlockHome();
  TBlockHome(TBlockHome&& other) noexcept;
  TBlockHome& operator=(TBlockHome&& other) noexcept;
  TBlockHome(const TBlockHome&) = delete;
  TBlockHome& operator=(const TBlockHome&) = delete;

  QWidget* block() const { return block_; }
  // Moved away and not given back yet.
  bool isAway() const { return away_; }
  // The recorded home (meaningful while away).
  QWidget* homeParent() const { return parent_; }
  Slot slot() const { return slot_; }
  QLayout* homeLayout() const { return layout_; }
  QRect homeGeometry() const { return geometry_; }

  // Moves the block under `parent`, at its current geometry or the one
  // given. The first move records the home; further moves while away keep
  // it (the block leaves whatever layout it was put in).
  void moveTo(QWidget* parent);
  void moveTo(QWidget* parent, const QRect& geometry);
  // Moves the block into another window's layout (one already set on a
  // widget; index -1: at the end).
  void moveInto(QBoxLayout* layout, int index = -1, int stretch = 0, Qt::Alignment alignment = {});
  void moveInto(QGridLayout* layout, int row, int column, int rowSpan = 1, int columnSpan = 1,
                Qt::Alignment alignment = {});

  // Gives the block back to its recorded parent, place among the siblings,
  // layout slot (or geometry) and visibility. False when it was not away or
  // when the block or its home parent no longer exists.
  bool restore();

 private:
  // Records the home on the first move, leaves the current layout on later
  // ones; false without a block.
  bool leaveHome();
  void recordHome();
  void leaveCurrentPlace();
  void place(QWidget* parent, bool hidden);
  void dropHole();

  QPointer<QWidget> block_;
  bool away_ = false;
  bool hidden_ = false;
  QPointer<QWidget> parent_;
  QList<QPointer<QWidget>> followers_;  // the widgets after the block among the parent's children
  Slot slot_ = Slot::Geometry;
  QRect geometry_;
  QPointer<QLayout> layout_;
  QLayoutItem* hole_ = nullptr;  // owned by layout_ while it is in it
  int index_ = -1;
  int stretch_ = 0;
  int row_ = 0, column_ = 0, rowSpan_ = 1, columnSpan_ = 1;
  Qt::Alignment alignment_;
};

class TComboSelections {
 public:
  // Remembers the current selection of every QComboBox and TSmallCombo in
  // `root` (root included), adding to what is already remembered.
  void save(QWidget* root);
  void add(QComboBox* combo);
  void add(TSmallCombo* combo);
  // Gives every remembered list that still exists its selection back, where
  // it differs (QComboBox::setCurrentIndex, TSmallCombo::SetItemIndex, so
  // the lists' change notifications run as for any programmatic choice).
  void restore() const;
  void clear();
  int count() const { return static_cast<int>(combos_.size() + smallCombos_.size()); }

 private:
  std::vector<std::pair<QPointer<QComboBox>, int>> combos_;
  std::vector<std::pair<QPointer<TSmallCombo>, int>> smallCombos_;
};
