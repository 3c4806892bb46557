#include "panel/signal/signal_common.h"

#include <QAbstractSlider>
#include <QAbstractButton>
#include <algorithm>
#include <QButtonGroup>
#include <QGridLayout>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/uidialogs.h"

namespace zelvan::signal {

QColor captionColor(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::ButtonText); }

void setCaptionColor(QWidget* w, const QColor& c) {
  QPalette pal = w->palette();
  if (pal.color(QPalette::Active, QPalette::ButtonText) == c && pal.color(QPalette::Active, QPalette::WindowText) == c)
    return;
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, QPalette::ButtonText, c);
    pal.setColor(group, QPalette::WindowText, c);
  }
  w->setPalette(pal);
}

void setFontStyle(QWidget* w, bool bold, bool italic) {
  QFont f = w->font();
  if (f.bold() == bold && f.italic() == italic) return;
  f.setBold(bold);
  f.setItalic(italic);
  w->setFont(f);
}

void setCaption(QWidget* w, const QColor& c, bool bold, bool italic) {
  setCaptionColor(w, c);
  setFontStyle(w, bold, italic);
}

bool isBold(const QWidget* w) { return w->font().bold(); }
bool isItalic(const QWidget* w) { return w->font().italic(); }

void setBackground(QWidget* w, const QColor& c) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, c);
  pal.setColor(QPalette::Window, c);
  w->setPalette(pal);
}

void setCell(QTableWidget* grid, int row, int column, const QString& text) {
  if (!grid || row < 0 || column < 0 || row >= grid->rowCount() || column >= grid->columnCount()) return;
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    grid->setItem(row, column, item);
  } else if (item->text() != text) {
    item->setText(text);
  }
}

QString cell(const QTableWidget* grid, int row, int column) {
  if (!grid) return {};
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

std::optional<int64_t> readInteger(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty() || t.size() > 20) return std::nullopt;
  bool ok = false;
  const qlonglong v = t.toLongLong(&ok, 10);
  if (!ok) return std::nullopt;
  return static_cast<int64_t>(v);
}

QString notAnIntegerMessage(const QString& text) {
  return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

void showNotAnInteger(QWidget* parent, const QString& text) {
  zelvan::ui::dialogs().message(parent, zelvan::ui::MessageKind::Error, QStringLiteral("Error"),
                                notAnIntegerMessage(text));
}

// ------------------------------------------------------------- scroll bars

TScrollBarEvents::TScrollBarEvents(QScrollBar* bar, QObject* context, Handler handler)
    : QObject(bar), bar_(bar), context_(context), handler_(std::move(handler)) {
  connect(bar, &QAbstractSlider::actionTriggered, this, [this](int a) { action(a); });
  bar->installEventFilter(this);
}

void TScrollBarEvents::action(int a) {
  TScrollCode code = scPosition;
  switch (a) {
    case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
    case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
    case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
    case QAbstractSlider::SliderToMinimum: code = scTop; break;
    case QAbstractSlider::SliderToMaximum: code = scBottom; break;
    case QAbstractSlider::SliderMove: code = bar_->isSliderDown() ? scTrack : scPosition; break;
    default: return;
  }
  // The position the action leads to (the value follows right after).
  notify(code);
}

void TScrollBarEvents::notify(TScrollCode code) {
  if (context_) handler_(bar_, code, bar_->sliderPosition());
}

bool TScrollBarEvents::eventFilter(QObject* watched, QEvent* event) {
  if (watched != bar_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonRelease: {
      // Let the bar finish the movement first, then announce the end.
      static_cast<QObject*>(bar_)->event(event);
      notify(scEndScroll);
      return true;
    }
    case QEvent::KeyRelease: {
      auto* ke = static_cast<QKeyEvent*>(event);
      switch (ke->key()) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
          if (!ke->isAutoRepeat()) notify(scEndScroll);
          break;
        default: break;
      }
      return false;
    }
    case QEvent::Wheel: {
      if (inWheel_) return false;
      inWheel_ = true;
      static_cast<QObject*>(bar_)->event(event);
      inWheel_ = false;
      notify(scEndScroll);
      return true;
    }
    default: return false;
  }
}

void onScroll(QScrollBar* bar, QObject* context, TScrollBarEvents::Handler handler) {
  new TScrollBarEvents(bar, context, std::move(handler));
}

int dragMark(const QAbstractSlider* bar) { return bar->property("Tag").toInt(); }
void setDragMark(QAbstractSlider* bar, int mark) { bar->setProperty("Tag", mark); }

void showOnBar(QAbstractSlider* bar, int64_t value) {
  const QSignalBlocker block(bar);
  bar->setValue(static_cast<int>(std::clamp<int64_t>(value, bar->minimum(), bar->maximum())));
}

// ------------------------------------------------------------- radio group

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent,
                         Qt::Orientation orientation, int columns)
    : QGroupBox(caption, parent) {
  group_ = new QButtonGroup(this);
  const int rows = orientation == Qt::Horizontal ? 1 : (static_cast<int>(items.size()) + std::max(columns, 1) - 1) / std::max(columns, 1);
  auto* lay = new QGridLayout(this);
  lay->setContentsMargins(6, 2, 6, 2);
  lay->setSpacing(1);
  for (int i = 0; i < items.size(); ++i) {
    auto* rb = new QRadioButton(items[i], this);
    if (orientation == Qt::Horizontal)
      lay->addWidget(rb, 0, i);
    else
      lay->addWidget(rb, i % std::max(rows, 1), i / std::max(rows, 1));
    group_->addButton(rb, i);
    buttons_.push_back(rb);
  }
  connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::itemClicked);
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::setItemIndex(int i) { checkOnly(group_, i); }

QRadioButton* TRadioGroup::button(int i) const {
  if (i < 0 || i >= count()) return nullptr;
  return buttons_[static_cast<size_t>(i)];
}

void checkOnly(QButtonGroup* group, int id) {
  QAbstractButton* target = group->button(id);
  if (target && target->isChecked()) return;
  const bool exclusive = group->exclusive();
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) {
    const QSignalBlocker block(b);
    b->setChecked(b == target);
  }
  group->setExclusive(exclusive);
}

void setPressed(QAbstractButton* b, bool pressed) {
  if (!b) return;
  if (!b->isCheckable()) b->setCheckable(true);
  if (b->isChecked() == pressed) return;
  const QSignalBlocker block(b);
  b->setChecked(pressed);
}

void setHint(QWidget* w, const QString& hint) {
  if (w && w->toolTip() != hint) w->setToolTip(hint);
}

}  // namespace zelvan::signal
