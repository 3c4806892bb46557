#include "widgets/tsmallcombo.h"

#include <QAction>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QVariant>

#include "widgets/tsmallbitbtn.h"

namespace {

// The combo that opened a shared menu last: it takes the menu's choice and
// its pop-up notification. Kept on the menu so that every combo sharing it
// sees the same owner.
const char* const kOwnerProperty = "zelvanSmallComboOwner";

QObject* menuOwner(const QMenu* menu) { return menu->property(kOwnerProperty).value<QObject*>(); }

void setMenuOwner(QMenu* menu, QObject* owner) { menu->setProperty(kOwnerProperty, QVariant::fromValue(owner)); }

// A menu caption as plain text: "&&" stands for "&", a single "&" marks
// the hot key and is not shown.
QString captionText(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace

TSmallCombo::TSmallCombo(QWidget* parent) : QWidget(parent) {
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("Edit"));
  edit_->setReadOnly(true);
  edit_->setMouseTracking(true);
  edit_->installEventFilter(this);

  button_ = new TSmallBitBtn(this);
  button_->setObjectName(QStringLiteral("SmallBitBtn"));
  button_->setMouseTracking(true);
  button_->installEventFilter(this);
  button_->OnOpen = [this] { DropDown(); };

  setFocusProxy(edit_);
  setFocusPolicy(Qt::StrongFocus);
  fontColor_ = edit_->palette().color(QPalette::Active, QPalette::Text);
  resize(145, 21);
  layoutChildren();
}

TSmallCombo::~TSmallCombo() {
  if (popUpMenu_ && menuOwner(popUpMenu_) == this) setMenuOwner(popUpMenu_, nullptr);
  // The private menu is a child of this widget and goes with it.
}

void TSmallCombo::SetItemIndex(int i) {
  const int before = itemIndex_;
  if (popUpMenu_) {
    const QList<QAction*> actions = popUpMenu_->actions();
    if (i >= 0 && i < actions.size()) {
      itemIndex_ = i;
      edit_->setText(captionText(actions[i]->text()));
    } else {
      itemIndex_ = -1;
      edit_->clear();
    }
  } else if (i >= 0 && i < ItemCount()) {
    itemIndex_ = i;
    edit_->setText(items_[static_cast<size_t>(i)].text);
  } else {
    itemIndex_ = -1;
    edit_->clear();
  }
  if (itemIndex_ != before) {
    if (OnChange) OnChange(this);
    Q_EMIT changed();
  }
}

void TSmallCombo::AddItem(const QString& text) {
  items_.push_back(Item{text, true, true});
  SetItemIndex(itemIndex_);
}

void TSmallCombo::Clear() {
  items_.clear();
  SetItemIndex(-1);
}

QString TSmallCombo::ItemText(int i) const {
  return i >= 0 && i < ItemCount() ? items_[static_cast<size_t>(i)].text : QString();
}

void TSmallCombo::SetItemText(int i, const QString& text) {
  if (i < 0 || i >= ItemCount()) return;
  items_[static_cast<size_t>(i)].text = text;
  // A menu built from the list and still open shows the new text too.
  if (privateMenu_) {
    const QList<QAction*> actions = privateMenu_->actions();
    if (i < actions.size()) {
      QString caption = text;
      caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
      actions[i]->setText(caption);
    }
  }
  if (!popUpMenu_ && i == itemIndex_) edit_->setText(text);
}

void TSmallCombo::SetItemVisible(int i, bool visible) {
  if (i >= 0 && i < ItemCount()) items_[static_cast<size_t>(i)].visible = visible;
}

bool TSmallCombo::GetItemVisible(int i) const {
  return i >= 0 && i < ItemCount() && items_[static_cast<size_t>(i)].visible;
}

void TSmallCombo::SetItemEnabled(int i, bool enabled) {
  if (i >= 0 && i < ItemCount()) items_[static_cast<size_t>(i)].enabled = enabled;
}

bool TSmallCombo::GetItemEnabled(int i) const {
  return i >= 0 && i < ItemCount() && items_[static_cast<size_t>(i)].enabled;
}

void TSmallCombo::SetPopUpMenu(QMenu* menu) {
  discardPrivateMenu();
  if (popUpMenu_ != menu) {
    if (popUpMenu_) {
      disconnect(popUpMenu_, nullptr, this, nullptr);
      if (menuOwner(popUpMenu_) == this) setMenuOwner(popUpMenu_, nullptr);
    }
    popUpMenu_ = menu;
    if (menu) {
      connect(menu, &QMenu::triggered, this, [this, menu](QAction* a) { menuItemChosen(menu, a); });
      connect(menu, &QMenu::aboutToShow, this, [this, menu] { menuAboutToShow(menu); });
    }
  }
  SetItemIndex(0);
}

QString TSmallCombo::Text() const { return edit_->text(); }

QFont TSmallCombo::Font() const { return edit_->font(); }

void TSmallCombo::SetFont(const QFont& font) { edit_->setFont(font); }

void TSmallCombo::SetFont(const QFont& font, const QColor& fontColor) {
  edit_->setFont(font);
  SetFontColor(fontColor);
}

void TSmallCombo::SetFontColor(const QColor& c) {
  fontColor_ = c;
  applyTextColor();
}

QColor TSmallCombo::Color() const { return edit_->palette().color(QPalette::Active, QPalette::Base); }

void TSmallCombo::SetColor(const QColor& c) {
  QPalette pal = edit_->palette();
  pal.setColor(QPalette::Base, c);
  edit_->setPalette(pal);
}

void TSmallCombo::SetBorderStyle(TBorderStyle b) {
  borderStyle_ = b;
  edit_->setFrame(b == bsSingle);
  button_->SetFrameWidth(b == bsSingle ? 2 : 1);
  layoutChildren();
}

bool TSmallCombo::DroppedDown() const {
  const QMenu* m = ActiveMenu();
  if (!m || !m->isVisible()) return false;
  return m == privateMenu_ || menuOwner(m) == this;
}

void TSmallCombo::SetDroppedDown(bool down) {
  if (down) {
    if (!DroppedDown()) DropDown();
  } else if (DroppedDown()) {
    ActiveMenu()->hide();
  }
}

QMenu* TSmallCombo::ActiveMenu() const { return popUpMenu_ ? popUpMenu_.data() : privateMenu_.data(); }

void TSmallCombo::DropDown() {
  QMenu* menu = nullptr;
  if (popUpMenu_) {
    menu = popUpMenu_;
    setMenuOwner(menu, this);
  } else {
    discardPrivateMenu();
    menu = buildPrivateMenu();
  }
  menu->popup(mapToGlobal(QPoint(0, height())));
}

QMenu* TSmallCombo::buildPrivateMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("SmallComboMenu"));
  for (const Item& item : items_) {
    QString caption = item.text;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));  // shown as typed
    QAction* a = menu->addAction(caption);
    a->setVisible(item.visible);
    a->setEnabled(item.enabled);
  }
  connect(menu, &QMenu::triggered, this, [this, menu](QAction* a) { menuItemChosen(menu, a); });
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { menuAboutToShow(menu); });
  privateMenu_ = menu;
  return menu;
}

void TSmallCombo::discardPrivateMenu() {
  if (!privateMenu_) return;
  QMenu* m = privateMenu_;
  privateMenu_ = nullptr;
  disconnect(m, nullptr, this, nullptr);
  m->hide();
  m->deleteLater();  // may be inside one of its own signals
}

void TSmallCombo::menuAboutToShow(QMenu* menu) {
  if (menu != privateMenu_ && menuOwner(menu) != this) return;
  if (OnDropDown) OnDropDown(this);
  Q_EMIT droppedDown();
}

void TSmallCombo::menuItemChosen(QMenu* menu, QAction* action) {
  const bool isPrivate = menu == privateMenu_;
  if (!isPrivate && (menu != popUpMenu_ || menuOwner(menu) != this)) return;
  // Actions of a submenu reach the menu's signal too; they are no item.
  const int index = static_cast<int>(menu->actions().indexOf(action));
  if (index < 0) return;
  SetItemIndex(index);
  if (isPrivate) discardPrivateMenu();
  if (OnClick) OnClick(this);
  Q_EMIT clicked();
}

void TSmallCombo::layoutChildren() {
  const int w = width();
  const int h = height();
  if (h < 5 || w < 3) return;
  edit_->setGeometry(0, 0, w, h);
  int side = 0;
  if (borderStyle_ == bsSingle) {
    side = h - 4;
    button_->setGeometry(w - 2 - side, 2, side, side);
  } else {
    side = h;
    button_->setGeometry(w - side, 0, side, side);
  }
  button_->raise();
  // Keep the text clear of the button.
  edit_->setTextMargins(0, 0, side, 0);
}

void TSmallCombo::applyTextColor() {
  QPalette pal = edit_->palette();
  const QColor c = isEnabled() ? fontColor_ : palette().color(QPalette::Active, QPalette::Dark);
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) pal.setColor(group, QPalette::Text, c);
  edit_->setPalette(pal);
}

void TSmallCombo::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  layoutChildren();
}

void TSmallCombo::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) applyTextColor();
}

bool TSmallCombo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ || watched == button_) {
    switch (event->type()) {
      case QEvent::MouseMove:
        if (OnMouseMoveChange) {
          auto* me = static_cast<QMouseEvent*>(event);
          const QPoint pos = static_cast<QWidget*>(watched)->mapTo(this, me->position().toPoint());
          OnMouseMoveChange(this, me->modifiers(), pos.x(), pos.y());
        }
        break;
      case QEvent::FocusIn:
        if (watched == edit_ && OnEnter) OnEnter(this);
        break;
      case QEvent::FocusOut:
        if (watched == edit_ && OnExit) OnExit(this);
        break;
      case QEvent::KeyPress:
        if (watched == edit_) {
          auto* ke = static_cast<QKeyEvent*>(event);
          if (ke->key() == Qt::Key_F4 || (ke->key() == Qt::Key_Down && (ke->modifiers() & Qt::AltModifier))) {
            DropDown();
            return true;
          }
        }
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}
