// The debug console's value panel (Panel1): composes a value bit by bit from
// the register picked in the log and sends it or puts it in the command entry.
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextCursor>
#include <QVBoxLayout>

#include "tools/debug_format.h"
#include "tools/tform_debug.h"
#include "tools/tform_debug_internal.h"
#include "widgets/uidialogs.h"

using namespace zelvan::debugconsole;
using namespace zelvan::debugconsole::form;

void TForm_debug::buildPanel() {
  m_panel = new QFrame(this);
  m_panel->setObjectName(QStringLiteral("Panel1"));
  m_panel->setFrameShape(QFrame::Panel);
  m_panel->setFrameShadow(QFrame::Raised);
  m_panel->setLineWidth(2);
  m_panel->setAutoFillBackground(true);
  m_panel->setCursor(Qt::SizeAllCursor);

  auto* v = new QVBoxLayout(m_panel);
  m_panelVariable = new QLabel(kNoValue, m_panel);
  m_panelVariable->setObjectName(QStringLiteral("Label_variable"));
  QFont bold = m_panelVariable->font();
  bold.setBold(true);
  m_panelVariable->setFont(bold);
  v->addWidget(m_panelVariable);

  auto* numbers = new QGridLayout;
  m_panelDec = new QLabel(QStringLiteral("0"), m_panel);
  m_panelDec->setObjectName(QStringLiteral("Label_valeur_dec"));
  auto* editDec = new PanelEdit(QStringLiteral("0"), m_panel);
  editDec->onEnter = [this] { Edit_valeur_decEnter(); };
  m_editDec = editDec;
  m_editDec->setObjectName(QStringLiteral("Edit_valeur_dec"));
  m_editDec->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), m_editDec));
  m_panelHex = new QLabel(QStringLiteral("0000"), m_panel);
  m_panelHex->setObjectName(QStringLiteral("Label_valeur_hex"));
  auto* editHex = new PanelEdit(QStringLiteral("0000"), m_panel);
  editHex->onEnter = [this] { Edit_valeur_hexEnter(); };
  m_editHex = editHex;
  m_editHex->setObjectName(QStringLiteral("Edit_valeur_hex"));
  m_editHex->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,4}")), m_editHex));
  numbers->addWidget(new QLabel(QStringLiteral("Decimal :"), m_panel), 0, 0);
  numbers->addWidget(m_panelDec, 0, 1);
  numbers->addWidget(m_editDec, 0, 2);
  numbers->addWidget(new QLabel(QStringLiteral("Hexadecimal :"), m_panel), 1, 0);
  numbers->addWidget(m_panelHex, 1, 1);
  numbers->addWidget(m_editHex, 1, 2);
  v->addLayout(numbers);

  m_panelBin = new QLabel(QStringLiteral("0000.0000.0000.0000b"), m_panel);
  m_panelBin->setObjectName(QStringLiteral("Label_valeur_bin"));
  m_panelBin->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  v->addWidget(m_panelBin);

  auto* bits = new QHBoxLayout;
  bits->setSpacing(1);
  for (int i = 0; i < 16; ++i) {
    auto* e = new QLineEdit(QStringLiteral("0"), m_panel);
    e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setFixedWidth(24);
    e->setToolTip(QStringLiteral("Click pour inverser le bit"));
    e->setCursor(Qt::PointingHandCursor);
    e->setFocusPolicy(Qt::NoFocus);
    bits->addWidget(e);
    if (i % 4 == 3 && i < 15) bits->addSpacing(4);
    m_bits[size_t(i)] = e;
  }
  v->addLayout(bits);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("Ok"), m_panel);
  ok->setObjectName(QStringLiteral("BitBtn_ok"));
  auto* cancel = new QPushButton(QStringLiteral("Annuler"), m_panel);
  cancel->setObjectName(QStringLiteral("BitBtn_annuler"));
  auto* send = new QPushButton(QStringLiteral("Envoie"), m_panel);
  send->setObjectName(QStringLiteral("BitBtn_envoie"));
  m_desactiver = new QPushButton(QStringLiteral("Desactiver reception"), m_panel);
  m_desactiver->setObjectName(QStringLiteral("BitBtn_desactiver_reception"));
  connect(ok, &QPushButton::clicked, this, [this] { BitBtn_okClick(); });
  connect(cancel, &QPushButton::clicked, this, [this] { BitBtn_annulerClick(); });
  connect(send, &QPushButton::clicked, this, [this] { BitBtn_envoieClick(); });
  connect(m_desactiver, &QPushButton::clicked, this, [this] { BitBtn_desactiver_receptionClick(); });
  for (QPushButton* b : {ok, cancel, send, m_desactiver}) {
    b->setCursor(Qt::ArrowCursor);
    buttons->addWidget(b);
  }
  v->addLayout(buttons);

  m_panel->adjustSize();
  m_panel->move(60, 110);
  m_panel->hide();
}

// -------------------------------------------------------------- value panel

void TForm_debug::setPanelValue(uint32_t v) {
  m_panelValue = v;
  const QString dec = QString::number(v);
  const QString hex = hexAtLeast4(v);
  m_panelDec->setText(dec);
  m_editDec->setText(dec);
  m_panelHex->setText(hex);
  m_editHex->setText(hex);
  m_panelBin->setText(bitString(hex));
  for (int i = 0; i < 16; ++i)
    m_bits[size_t(i)]->setText((v >> (15 - i)) & 1u ? QStringLiteral("1") : QStringLiteral("0"));
}

void TForm_debug::fillPanelFromSelection() {
  QString selection = m_memoRecu->textCursor().selectedText();
  selection.remove(QChar::ParagraphSeparator);
  if (selection.isEmpty()) {
    m_panelName.clear();
    m_panelVariable->setText(kNoValue);
    setPanelValue(0);
    return;
  }
  const DigitSplit split = splitDigits(selection);
  m_panelName = split.name.trimmed();
  const auto v = digitsValue(split.digits);
  if (!split.digits.isEmpty() && (!v || *v > UINT32_MAX)) {
    m_panelVariable->setText(m_panelName + QStringLiteral(" (valeur trop grande)"));
    setPanelValue(0);
    return;
  }
  m_panelVariable->setText(m_panelName);
  setPanelValue(v ? static_cast<uint32_t>(*v) : 0u);
}

void TForm_debug::BitBtn_Operation_logiqueClick() {
  if (!m_panel->isHidden()) {
    m_panel->hide();
    return;
  }
  fillPanelFromSelection();
  m_panel->show();
  m_panel->raise();
}

void TForm_debug::BitBox_Click(int box) {
  if (box < 1 || box > 16) return;
  setPanelValue(m_panelValue ^ (1u << (16 - box)));
}

void TForm_debug::Edit_valeur_decEnter() {
  const auto v = digitsValue(m_editDec->text());
  setPanelValue(!v ? 0u : *v > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(*v));
}

void TForm_debug::Edit_valeur_hexEnter() {
  const QString text = m_editHex->text().left(4).rightJustified(4, QLatin1Char('0'));
  bool ok = false;
  const uint v = text.toUInt(&ok, 16);
  setPanelValue(ok ? v : 0u);
}

void TForm_debug::BitBtn_okClick() {
  m_panel->hide();
  setPending(QString::number(m_panelValue), true);
}

void TForm_debug::BitBtn_annulerClick() {
  m_panel->hide();
}

void TForm_debug::BitBtn_envoieClick() {
  for (const auto& l : m_lines) {
    if (l.name == m_panelName && !m_panelName.isEmpty()) {
      sendRaw(QByteArray::number(m_panelValue) + l.code.toLatin1());
      return;
    }
  }
  zelvan::ui::dialogs().message(
      this, zelvan::ui::MessageKind::Warning, QStringLiteral("DEBUG"),
      m_panelName.isEmpty()
          ? QStringLiteral("Aucun registre choisi : selectionner la variable dans la reception.")
          : QStringLiteral("Registre inconnu : %1").arg(m_panelName));
}

void TForm_debug::BitBtn_desactiver_receptionClick() {
  if (!filterActive() || m_filterCount < 1) return;
  const int row = watchRowOfName(m_panelName);
  if (row < 0) return;
  setWatchItemChecked(row, !watchItemChecked(row));
}

void TForm_debug::showLogHint(bool on) {
  if (on == m_logHint) return;
  m_logHint = on;
  m_memoRecu->setToolTip(on ? QStringLiteral("Double Cliquer sur la variable") : QString());
  QFont f = m_operation->font();
  f.setBold(on);
  m_operation->setFont(f);
  QPalette p = m_operation->palette();
  p.setColor(QPalette::ButtonText, on ? QColor(Qt::red) : palette().color(QPalette::ButtonText));
  m_operation->setPalette(p);
}
