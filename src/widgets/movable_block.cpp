#include "widgets/movable_block.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLayout>
#include <QLayoutItem>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "widgets/tsmallcombo.h"

namespace {

// Stands in a layout slot for a block that is away: it asks for the room
// the block's own item asked for when it left, so the layout gives the
// other items the same places as before.
class THoleItem : public QLayoutItem {
 public:
  THoleItem(const QLayoutItem& like, QWidget* block)
      : QLayoutItem(like.alignment()),
        hint_(like.sizeHint()),
        min_(like.minimumSize()),
        max_(like.maximumSize()),
        expanding_(like.expandingDirections()),
        empty_(like.isEmpty()),
        heightForWidth_(like.hasHeightForWidth()),
        controls_(like.controlTypes()),
        block_(block) {}

  QSize sizeHint() const override { return hint_; }
  QSize minimumSize() const override { return min_; }
  QSize maximumSize() const override { return max_; }
  Qt::Orientations expandingDirections() const override { return expanding_; }
  void setGeometry(const QRect& r) override { geometry_ = r; }
  QRect geometry() const override { return geometry_; }
  bool isEmpty() const override { return empty_; }
  QSizePolicy::ControlTypes controlTypes() const override { return controls_; }
  bool hasHeightForWidth() const override { return heightForWidth_ && block_; }
  int heightForWidth(int w) const override {
    if (!block_) return -1;
    return QWidgetItem(block_).heightForWidth(w);
  }

 private:
  QSize hint_;
  QSize min_;
  QSize max_;
  Qt::Orientations expanding_;
  bool empty_;
  bool heightForWidth_;
  QSizePolicy::ControlTypes controls_;
  QRect geometry_;
  QPointer<QWidget> block_;
};

// The layout (top or nested) of `parent` whose item `index` is `w`.
QLayout* holderOf(QLayout* layout, QWidget* w, int* index) {
  if (!layout) return nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == w) {
      *index = i;
      return layout;
    }
    if (QLayout* inner = holderOf(item->layout(), w, index)) return inner;
  }
  return nullptr;
}

QLayout* holderOf(QWidget* w, int* index) {
  QWidget* parent = w->parentWidget();
  return parent ? holderOf(parent->layout(), w, index) : nullptr;
}

}  // namespace

// ------------------------------------------------------------ TBlockHome

TBlockHome::TBlockHome(QWidget* block) : block_(block) {}

TBlockHome::~TBlockHome() { dropHole(); }

TBlockHome::TBlockHome(TBlockHome&& other) noexcept { *this = std::move(other); }

TBlockHome& TBlockHome::operator=(TBlockHome&& other) noexcept {
  if (this == &other) return *this;
  dropHole();
  block_ = other.block_;
  away_ = other.away_;
  hidden_ = other.hidden_;
  parent_ = other.parent_;
  followers_ = std::move(other.followers_);
  slot_ = other.slot_;
  geometry_ = other.geometry_;
  layout_ = other.layout_;
  hole_ = other.hole_;
  index_ = other.index_;
  stretch_ = other.stretch_;
  row_ = other.row_;
  column_ = other.column_;
  rowSpan_ = other.rowSpan_;
  columnSpan_ = other.columnSpan_;
  alignment_ = other.alignment_;
  other.hole_ = nullptr;
  other.away_ = false;
  return *this;
}

void TBlockHome::recordHome() {
  QWidget* b = block_;
  parent_ = b->parentWidget();
  hidden_ = b->isHidden();
  geometry_ = b->geometry();
  followers_.clear();
  if (parent_) {
    const QObjectList& kids = parent_->children();
    const auto self = std::find(kids.begin(), kids.end(), static_cast<QObject*>(b));
    for (auto it = self == kids.end() ? kids.end() : self + 1; it != kids.end(); ++it)
      if (auto* w = qobject_cast<QWidget*>(*it); w && !w->isWindow()) followers_.append(w);
  }

  slot_ = Slot::Geometry;
  layout_ = nullptr;
  hole_ = nullptr;
  int i = -1;
  QLayout* holder = holderOf(b, &i);
  if (holder) {
    QLayoutItem* item = holder->itemAt(i);
    alignment_ = item->alignment();
    index_ = i;
    layout_ = holder;
    if (auto* box = qobject_cast<QBoxLayout*>(holder)) {
      slot_ = Slot::Box;
      stretch_ = box->stretch(i);
      hole_ = new THoleItem(*item, b);
      delete box->takeAt(i);
      box->insertItem(i, hole_);
      box->setStretch(i, stretch_);
    } else if (auto* grid = qobject_cast<QGridLayout*>(holder)) {
      slot_ = Slot::Grid;
      grid->getItemPosition(i, &row_, &column_, &rowSpan_, &columnSpan_);
      hole_ = new THoleItem(*item, b);
      delete grid->takeAt(i);
      grid->addItem(hole_, row_, column_, rowSpan_, columnSpan_, alignment_);
    } else {
      slot_ = Slot::Other;
      delete holder->takeAt(i);
    }
  }
  away_ = true;
}

void TBlockHome::leaveCurrentPlace() {
  int i = -1;
  if (QLayout* holder = holderOf(block_, &i)) {
    delete holder->takeAt(i);
    holder->invalidate();
  }
}

void TBlockHome::place(QWidget* parent, bool hidden) {
  QWidget* b = block_;
  if (b->parentWidget() != parent) b->setParent(parent);
  // setParent hides the block when its new parent is visible; a hidden one
  // is hidden explicitly, or a layout taking it would show it again.
  if (hidden)
    b->hide();
  else if (b->isHidden())
    b->show();
}

bool TBlockHome::leaveHome() {
  if (!block_) return false;
  if (away_)
    leaveCurrentPlace();
  else
    recordHome();
  return true;
}

void TBlockHome::moveTo(QWidget* parent) {
  if (!parent || !block_) return;
  const bool hidden = block_->isHidden();
  if (!leaveHome()) return;
  place(parent, hidden);
}

void TBlockHome::moveTo(QWidget* parent, const QRect& geometry) {
  if (!parent || !block_) return;
  moveTo(parent);
  block_->setGeometry(geometry);
}

void TBlockHome::moveInto(QBoxLayout* layout, int index, int stretch, Qt::Alignment alignment) {
  if (!layout || !layout->parentWidget() || !block_) return;
  const bool hidden = block_->isHidden();
  if (!leaveHome()) return;
  place(layout->parentWidget(), hidden);
  layout->insertWidget(index, block_, stretch, alignment);
}

void TBlockHome::moveInto(QGridLayout* layout, int row, int column, int rowSpan, int columnSpan,
                          Qt::Alignment alignment) {
  if (!layout || !layout->parentWidget() || !block_) return;
  const bool hidden = block_->isHidden();
  if (!leaveHome()) return;
  place(layout->parentWidget(), hidden);
  layout->addWidget(block_, row, column, rowSpan, columnSpan, alignment);
}

bool TBlockHome::restore() {
  if (!away_) return false;
  QWidget* b = block_;
  QWidget* p = parent_;
  if (!b || !p) {
    dropHole();
    away_ = false;
    return false;
  }
  leaveCurrentPlace();
  place(p, hidden_);
  // Back in front of the first widget that followed it and is there now,
  // so blocks of one parent may come back in any order.
  QWidget* next = nullptr;
  for (const QPointer<QWidget>& f : followers_)
    if (f && f != b && f->parentWidget() == p) {
      next = f;
      break;
    }
  if (next)
    b->stackUnder(next);
  else
    b->raise();

  QLayout* layout = layout_;
  const int at = layout && hole_ ? layout->indexOf(hole_) : -1;
  if (at >= 0) delete layout->takeAt(at);
  hole_ = nullptr;
  if (!layout) {
    b->setGeometry(geometry_);
  } else if (slot_ == Slot::Box) {
    auto* box = static_cast<QBoxLayout*>(layout);
    box->insertWidget(at >= 0 ? at : std::min(index_, box->count()), b, stretch_, alignment_);
  } else if (slot_ == Slot::Grid) {
    static_cast<QGridLayout*>(layout)->addWidget(b, row_, column_, rowSpan_, columnSpan_, alignment_);
  } else {
    layout->addWidget(b);
  }
  if (slot_ == Slot::Geometry) b->setGeometry(geometry_);
  away_ = false;
  return true;
}

void TBlockHome::dropHole() {
  if (layout_ && hole_) {
    const int at = layout_->indexOf(hole_);
    if (at >= 0) delete layout_->takeAt(at);
  }
  hole_ = nullptr;
}

// ------------------------------------------------------------ TComboSelections

void TComboSelections::save(QWidget* root) {
  if (!root) return;
  if (auto* c = qobject_cast<QComboBox*>(root)) add(c);
  if (auto* s = qobject_cast<TSmallCombo*>(root)) add(s);
  for (QComboBox* c : root->findChildren<QComboBox*>()) add(c);
  for (TSmallCombo* s : root->findChildren<TSmallCombo*>()) add(s);
}

void TComboSelections::add(QComboBox* combo) {
  if (combo) combos_.emplace_back(combo, combo->currentIndex());
}

void TComboSelections::add(TSmallCombo* combo) {
  if (combo) smallCombos_.emplace_back(combo, combo->ItemIndex());
}

void TComboSelections::restore() const {
  for (const auto& [combo, index] : combos_)
    if (combo && combo->currentIndex() != index) combo->setCurrentIndex(index);
  for (const auto& [combo, index] : smallCombos_)
    if (combo && combo->ItemIndex() != index) combo->SetItemIndex(index);
}

void TComboSelections::clear() {
  combos_.clear();
  smallCombos_.clear();
}
