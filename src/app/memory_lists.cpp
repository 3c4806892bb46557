#include "app/memory_lists.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>

#include "app/pending_windows.h"
#include "app/settings_files.h"
#include "app/tzelvan_main.h"
#include "panel/signal/signal_tables.h"
#include "widgets/tsmallcombo.h"

namespace zelvan::app {

namespace {
// Appends an item to a compact combo or a standard combo box and selects
// the first item.
void appendAndSelectFirst(QWidget* w, const QString& text) {
  if (auto* sc = qobject_cast<TSmallCombo*>(w)) {
    sc->AddItem(text);
    sc->SetItemIndex(0);
  } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
    cb->addItem(text);
    cb->setCurrentIndex(0);
  }
}
}  // namespace

void TMemoryLists::ensureInputLabels() {
  InputLabelList.clear();
  for (int n = 1; n <= 8; ++n) {
    auto* b = shell_.findChild<QAbstractButton*>(QStringLiteral("label_input%1").arg(n));
    if (!b) {
      auto* pb = new QPushButton(defaultInputName(n), shell_.Panel_ichmp());
      pb->setObjectName(QStringLiteral("label_input%1").arg(n));
      pb->setProperty("Tag", n);
      pb->setGeometry(zelvan::signal::kStripColumnsMixer[size_t(n - 1)], 4, 78, 30);
      b = pb;
    }
    InputLabelList.append(b);
  }
}

void TMemoryLists::ensureMemoryCombos() {
  struct Row {
    const char* name;
    int top;
    std::array<TSmallCombo*, 8>* combos;
  };
  QWidget* strip = shell_.Panel_ichmp()->findChild<QFrame*>(QStringLiteral("new_Panel1"));
  for (const Row& r : {Row{"FRAME_Combologo%1", 1, &FRAME_Combologo}, Row{"LINDEX1_Combologo%1", 20, &LINDEX1_Combologo},
                       Row{"LINDEX2_Combologo%1", 39, &LINDEX2_Combologo}}) {
    for (int n = 1; n <= 8; ++n) {
      const QString name = QString::fromLatin1(r.name).arg(n);
      TSmallCombo* c = (*r.combos)[size_t(n - 1)];
      if (!c) c = shell_.findControl<TSmallCombo>(name);
      if (!c) {
        c = new TSmallCombo(strip);
        c->setObjectName(name);
        c->setProperty("Tag", n);
        c->setGeometry(zelvan::signal::kStripColumnsMixer[size_t(n - 1)], r.top, 76, 20);
      }
      (*r.combos)[size_t(n - 1)] = c;
    }
  }
  // The store lists of the logo pages (hidden drop-down lists).
  struct Store {
    const char* name;
    const char* page;
    QWidget** slot;
  };
  for (const Store& s : {Store{"ComboBox_lstore_main", "new_logos_Main", &ComboBox_lstore_main},
                         Store{"ComboBox_lstore_preview", "new_logos_preview", &ComboBox_lstore_preview}}) {
    if (!*s.slot) *s.slot = shell_.findControl<QWidget>(QLatin1String(s.name));
    if (!*s.slot) {
      auto* combo = new QComboBox(shell_.page(QLatin1String(s.page)));
      combo->setObjectName(QLatin1String(s.name));
      combo->setMaxVisibleItems(18);
      combo->hide();
      *s.slot = combo;
    }
  }
}

void TMemoryLists::fillWithLabels() {
  const auto& labels = shell_.state().MemoryLabels;
  for (int i = 0; i < kMemoryLabelCount; ++i) {
    const QString& label = labels[size_t(i)];
    if (i <= 2 || i >= 11)
      for (TSmallCombo* c : FRAME_Combologo) appendAndSelectFirst(c, label);
    if (i == 0 || (i >= 3 && i <= 10)) {
      for (TSmallCombo* c : LINDEX1_Combologo) appendAndSelectFirst(c, label);
      for (TSmallCombo* c : LINDEX2_Combologo) appendAndSelectFirst(c, label);
    }
    if (i >= 3 && i <= 10) {
      appendAndSelectFirst(ComboBox_lstore_main, label);
      appendAndSelectFirst(ComboBox_lstore_preview, label);
    }
  }
}

TSmallCombo* TMemoryLists::list(int kind, int input) const {
  if (input < 1 || input > 8) return nullptr;
  const auto i = size_t(input - 1);
  switch (kind) {
    case 0:
      return FRAME_Combologo[i];
    case 1:
      return LINDEX1_Combologo[i];
    case 2:
      return LINDEX2_Combologo[i];
    default:
      return nullptr;
  }
}

QString TMemoryLists::listText(int kind, int input) const {
  const TSmallCombo* c = list(kind, input);
  return c ? c->Text() : QString();
}

void TMemoryLists::setListHint(int kind, int input, const QString& hint) {
  if (TSmallCombo* c = list(kind, input)) c->setToolTip(hint);
}

QList<TSmallCombo*> TMemoryLists::allFrameCombos() const {
  QList<TSmallCombo*> out;
  for (TSmallCombo* c : FRAME_Combologo)
    if (c) out.append(c);
  if (TMatrix_Zelvan_main* matrix = shell_.windows().matrix)
    for (int n = 1; n <= 8; ++n)
      if (TSmallCombo* c = matrix->frameCombo(n)) out.append(c);
  return out;
}

}  // namespace zelvan::app
