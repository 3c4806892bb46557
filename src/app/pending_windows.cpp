#include "app/pending_windows.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/customization_file.h"
#include "widgets/tsmallcombo.h"

TPendingWindow::TPendingWindow(const char* className, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QLatin1String(className));
  setWindowTitle(title);
}

TMatrix_Zelvan_main::TMatrix_Zelvan_main(QWidget* parent)
    : TPendingWindow("TMatrix_Zelvan_main", QStringLiteral("Zelvan remote control     (Matrix mode)"), parent) {
  resize(960, 540);
  auto* strip = new QFrame(this);
  strip->setObjectName(QStringLiteral("new_Panel2"));
  strip->setGeometry(188, 300, 640, 80);
  for (int n = 1; n <= 8; ++n) {
    const int left = 80 * (n - 1);
    struct Row {
      const char* name;
      int top;
      bool frames;
      int kind;
    };
    for (const Row& r : {Row{"FRAME_Combologo_ichp_%1", 1, true, 0}, Row{"LINDEX1_Combologo_ichp_%1", 20, false, 1},
                         Row{"LINDEX2_Combologo_ichp_%1", 39, false, 2}}) {
      auto* combo = new TSmallCombo(strip);
      combo->setObjectName(QString::fromLatin1(r.name).arg(n));
      combo->setProperty("Tag", n);
      combo->setGeometry(left, r.top, 76, 20);
      for (int i = 0; i < zelvan::app::kMemoryLabelCount; ++i) {
        const bool frame = i <= 2 || i >= 11;
        if (i == 0 || frame == r.frames) combo->AddItem(zelvan::app::defaultMemoryLabel(i));
      }
      combo->SetItemIndex(0);
      combos_[size_t(r.kind)][size_t(n - 1)] = combo;
    }
  }
}

TForm_Settings_Matrix::TForm_Settings_Matrix(QWidget* parent)
    : TPendingWindow("TForm_Settings_Matrix", QStringLiteral("Settings"), parent) {
  auto* group = new QGroupBox(QStringLiteral("Transition Output 2"), this);
  group->setObjectName(QStringLiteral("ListBox_Fade_output2"));
  auto* layout = new QVBoxLayout(group);
  for (int k = 1; k <= 6; ++k) {
    auto* rb = new QRadioButton(QStringLiteral("Fade Frame %1 (Frame %1)").arg(k), group);
    rb->setObjectName(QStringLiteral("RadioButton_TranstionFrame%1_P").arg(k));
    layout->addWidget(rb);
    frames_[size_t(k - 1)] = rb;
  }
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(group);
}

TForm_Embedded_Softedge::TForm_Embedded_Softedge(QWidget* parent)
    : TPendingWindow("TForm_Embedded_Softedge", QStringLiteral("Zelvan remote control     (Embedded Softedge)"),
                     parent) {
  PopupMenu_effect = new QMenu(this);
  PopupMenu_effect->setObjectName(QStringLiteral("PopupMenu_effect"));
  QAction* title = PopupMenu_effect->addAction(QStringLiteral("Key effect n°...."));
  title->setObjectName(QStringLiteral("menuitem_Effect"));
  title->setEnabled(false);
  PopupMenu_effect->addSeparator();
  QAction* pip = PopupMenu_effect->addAction(QStringLiteral("PiP"));
  pip->setObjectName(QStringLiteral("menuitem_PIP"));
  pip->setData(4);
  QAction* dpip = PopupMenu_effect->addAction(QStringLiteral("Double PiP"));
  dpip->setObjectName(QStringLiteral("menuitem_DoublePIP"));
  dpip->setData(14);
}
