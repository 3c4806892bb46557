#include "tools/tabout_graphic_install.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/about_pictures.h"

namespace {

constexpr int kLineLeft = 10;
constexpr int kLineWidth = 150;
constexpr int kLineHeight = 16;
constexpr int kSecondColumn = 190;

struct OptionLine {
  int bit;
  const char* text;
  bool marksInstalled;  // bits 3, 4 and 5 only enable their line
  const char* mark;
};

constexpr OptionLine kOptionLines[] = {
    {0, "- SDI Input ", true, "installed"},
    {1, "- DVI Input ", true, "installed"},
    {2, "- SDTV video Out", true, "installed"},
    {3, "- Second SDTV video Out", false, "installed"},
    {4, "- HDTV video Out", false, "installed"},
    {5, "- Second HDTV video Out", false, "installed"},
    {6, "- LAN", true, "ok"},
    {7, "- Audio", true, "installed"},
    {9, "- Cross Blender", true, "installed"},
    {11, "- HD-SDI Out", true, "installed"},
    {12, "- DVI Out", true, "installed"},
};

QLabel* placedLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                    int width = kLineWidth) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(left, top, width, kLineHeight);
  return l;
}

// A two-digit part of the software version: leading zero below 10.
QString twoDigits(int v) {
  return v < 10 && v >= 0 ? QStringLiteral("0%1").arg(v) : QString::number(v);
}

}  // namespace

TAbout_Graphic_install::TAbout_Graphic_install(TZelvan_d* link, QWidget* parent)
    : QDialog(parent), m_link(link) {
  setObjectName(QStringLiteral("About_Graphic_install"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);
  buildUi();
  SetPicture(zelvan::about::kFirstPicture);
  SetVersionLineOrder(0);
  SetLinesACVisible(false);
  ApplyOptions(0);
}

void TAbout_Graphic_install::buildUi() {
  auto* root = new QVBoxLayout(this);
  root->setSizeConstraint(QLayout::SetFixedSize);

  m_image = new QLabel(this);
  m_image->setObjectName(QStringLiteral("Image1"));
  m_image->setFixedSize(zelvan::about::kPictureSize);
  root->addWidget(m_image, 0, Qt::AlignHCenter);

  auto* caption = new QLabel(
      QStringLiteral("Remote control for Zelvan seamless switchers and presentation scalers"), this);
  caption->setObjectName(QStringLiteral("Panel_caption"));
  caption->setFrameShape(QFrame::Panel);
  caption->setFrameShadow(QFrame::Sunken);
  caption->setAlignment(Qt::AlignCenter);
  root->addWidget(caption);

  // Software.
  auto* software = new QGroupBox(QStringLiteral("Software"), this);
  software->setObjectName(QStringLiteral("GroupBox_software"));
  auto* sl = new QVBoxLayout(software);
  m_version = new QLabel(QStringLiteral("Version : ?.?.?.?"), software);
  m_version->setObjectName(QStringLiteral("Label_version"));
  sl->addWidget(m_version);
  root->addWidget(software);

  // Device.
  auto* device = new QGroupBox(QStringLiteral("Device"), this);
  device->setObjectName(QStringLiteral("GroupBox_device"));
  auto* dl = new QGridLayout(device);
  dl->setVerticalSpacing(1);
  m_verupd = new QLabel(QStringLiteral("Version : ?.?"), device);
  m_verupd->setObjectName(QStringLiteral("label_verupd"));
  dl->addWidget(m_verupd, 0, 0, 1, 2);
  auto* options = new QLabel(QStringLiteral("OPTIONS:"), device);
  options->setObjectName(QStringLiteral("Label_options"));
  dl->addWidget(options, 1, 0, 1, 2);
  for (size_t i = 0; i < std::size(kOptionLines); ++i) {
    const OptionLine& o = kOptionLines[i];
    auto* line = new QLabel(QString::fromLatin1(o.text), device);
    line->setObjectName(QStringLiteral("Label_option_%1").arg(o.bit));
    const QString markText =
        QString(o.marksInstalled && QLatin1String(o.mark) == QLatin1String("ok") ? 25 : 18,
                QLatin1Char('.')) +
        QString::fromLatin1(o.mark);
    auto* mark = new QLabel(markText, device);
    mark->setObjectName(QStringLiteral("Label_installed_%1").arg(o.bit));
    mark->hide();
    dl->addWidget(line, int(i) + 2, 0);
    dl->addWidget(mark, int(i) + 2, 1);
    m_optionLines[i] = line;
    m_optionMarks[i] = mark;
  }
  dl->setColumnMinimumWidth(1, 150);
  root->addWidget(device);

  // Checksums: lines at fixed places, the version lines in the model's order.
  m_checksums = new QGroupBox(QStringLiteral("Checksums"), this);
  m_checksums->setObjectName(QStringLiteral("GroupBox_checksums"));
  m_checksums->setFixedSize(380, 206);
  placedLabel(m_checksums, QStringLiteral("Label_MTX"), QStringLiteral("MTX ="), kLineLeft, 16, 40);
  placedLabel(m_checksums, QStringLiteral("Label_MFX"), QStringLiteral("MFX ="), kLineLeft, 32, 40);
  placedLabel(m_checksums, QStringLiteral("Label_PFX"), QStringLiteral("PFX  ="), kLineLeft, 48, 40);
  m_mtx = placedLabel(m_checksums, QStringLiteral("muxout_MTBmax"), QStringLiteral("...."), kLineLeft + 45,
                      16, 60);
  m_mfx =
      placedLabel(m_checksums, QStringLiteral("muxout_MFX"), QStringLiteral("...."), kLineLeft + 45, 32, 60);
  m_pfx =
      placedLabel(m_checksums, QStringLiteral("muxout_PFX"), QStringLiteral("...."), kLineLeft + 45, 48, 60);
  m_k = placedLabel(m_checksums, QStringLiteral("label_k"), QStringLiteral("K ="), kLineLeft, 64);
  m_e = placedLabel(m_checksums, QStringLiteral("label_e"), QStringLiteral("E ="), kLineLeft, 80);
  m_p = placedLabel(m_checksums, QStringLiteral("label_p"), QStringLiteral("P ="), kLineLeft, 97);
  m_f = placedLabel(m_checksums, QStringLiteral("label_f"), QStringLiteral("F ="), kLineLeft, 114);
  m_o = placedLabel(m_checksums, QStringLiteral("label_o"), QStringLiteral("O ="), kLineLeft, 131);
  m_i = placedLabel(m_checksums, QStringLiteral("label_I"), QStringLiteral("I  ="), kLineLeft, 148);
  m_a = placedLabel(m_checksums, QStringLiteral("Label_A"), QStringLiteral("A ="), kLineLeft, 165);
  m_c = placedLabel(m_checksums, QStringLiteral("Label_C"), QStringLiteral("C ="), kLineLeft, 182);
  placedLabel(m_checksums, QStringLiteral("Label_sdtv_out"), QStringLiteral("SDTV video out :"),
              kSecondColumn, 16);
  m_vkm = placedLabel(m_checksums, QStringLiteral("Label_VKM"), QStringLiteral("-VKM ="), kSecondColumn, 32);
  m_vsm = placedLabel(m_checksums, QStringLiteral("Label_VSM"), QStringLiteral("-VSM ="), kSecondColumn, 48);
  m_vvm = placedLabel(m_checksums, QStringLiteral("Label_VVM"), QStringLiteral("-VVM ="), kSecondColumn, 64);
  m_vfm = placedLabel(m_checksums, QStringLiteral("Label_VFM"), QStringLiteral("-VFM ="), kSecondColumn, 80);
  m_vkp = placedLabel(m_checksums, QStringLiteral("Label_VKP"), QStringLiteral("-VKP ="), kSecondColumn, 97);
  m_vsp = placedLabel(m_checksums, QStringLiteral("Label_VSP"), QStringLiteral("-VSP ="), kSecondColumn, 114);
  m_vvp = placedLabel(m_checksums, QStringLiteral("Label_VVP"), QStringLiteral("-VVP ="), kSecondColumn, 131);
  m_vfp = placedLabel(m_checksums, QStringLiteral("Label_VFP"), QStringLiteral("-VFP ="), kSecondColumn, 148);
  m_checksums->hide();
  root->addWidget(m_checksums);

  // Status.
  m_status = new QGroupBox(QStringLiteral("Status"), this);
  m_status->setObjectName(QStringLiteral("GroupBox_status"));
  auto* stl = new QHBoxLayout(m_status);
  m_testCode = new QLabel(QString(), m_status);
  m_testCode->setObjectName(QStringLiteral("Label_test_code"));
  stl->addWidget(m_testCode);
  m_status->hide();
  root->addWidget(m_status);

  // Buttons.
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Button_ok"));
  ok->setDefault(true);
  m_advanced = new QPushButton(QStringLiteral("Advanced >>"), this);
  m_advanced->setObjectName(QStringLiteral("Button_advanced"));
  m_advanced->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, [this] { Button_okClick(); });
  connect(m_advanced, &QPushButton::clicked, this, [this] { Button_advancedClick(); });
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(m_advanced);
  root->addLayout(buttons);
}

// ---------------------------------------------------------------- model row

void TAbout_Graphic_install::SetModel(int pictureIndex, const QString& modelName) {
  SetPicture(pictureIndex);
  setWindowTitle(QStringLiteral("About ") + modelName + QStringLiteral(" remote control"));
}

void TAbout_Graphic_install::SetPicture(int index) {
  if (index == m_picture) return;
  m_picture = index;
  m_image->setPixmap(zelvan::about::modelPicture(index));
}

void TAbout_Graphic_install::SetVersionLineOrder(int dev) {
  const bool withF = dev != 27;
  m_k->move(kLineLeft, 64);
  m_e->move(kLineLeft, 80);
  m_p->move(kLineLeft, 97);
  m_f->setVisible(withF);
  int top = 114;
  if (withF) {
    m_f->move(kLineLeft, top);
    top += 17;
  }
  m_o->move(kLineLeft, top);
  m_i->move(kLineLeft, top + 17);
  m_a->move(kLineLeft, top + 34);
  m_c->move(kLineLeft, top + 51);
}

void TAbout_Graphic_install::SetLinesACVisible(bool visible) {
  m_a->setVisible(visible);
  m_c->setVisible(visible);
}

// ---------------------------------------------------------- version displays

QString TAbout_Graphic_install::HexLine(const QString& prefix, uint32_t v) {
  return prefix + QString::number(v, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString TAbout_Graphic_install::SoftwareVersionText(int major, int minor, int release, int build) {
  return QStringLiteral("Version : %1.%2.%3.%4")
      .arg(QString::number(major), twoDigits(minor), twoDigits(release), twoDigits(build));
}

void TAbout_Graphic_install::SetSoftwareVersion(int major, int minor, int release, int build) {
  m_version->setText(SoftwareVersionText(major, minor, release, build));
}

bool TAbout_Graphic_install::SetSoftwareVersion(const QString& fileVersion) {
  const QStringList parts = fileVersion.trimmed().split(QLatin1Char('.'));
  if (parts.isEmpty() || parts.size() > 4) return false;
  int numbers[4] = {0, 0, 0, 0};
  for (qsizetype i = 0; i < parts.size(); ++i) {
    bool ok = false;
    const int v = parts[i].toInt(&ok);
    if (!ok || v < 0 || v > 65535) return false;
    numbers[i] = v;
  }
  SetSoftwareVersion(numbers[0], numbers[1], numbers[2], numbers[3]);
  return true;
}

void TAbout_Graphic_install::SetVERUPD(uint32_t v) {
  m_verupd->setText(QStringLiteral("Version : %1.%2").arg(v / 100).arg(v % 100));
}

void TAbout_Graphic_install::SetVERK(uint32_t v) {
  m_k->setText(HexLine(QStringLiteral("K = "), v));
}
void TAbout_Graphic_install::SetVERI(uint32_t v) {
  m_i->setText(HexLine(QStringLiteral("I  = "), v));
}
void TAbout_Graphic_install::SetVERE(uint32_t v) {
  m_e->setText(HexLine(QStringLiteral("E = "), v));
}
void TAbout_Graphic_install::SetVERF(uint32_t v) {
  m_f->setText(HexLine(QStringLiteral("F = "), v));
}
void TAbout_Graphic_install::SetVERP(uint32_t v) {
  m_p->setText(HexLine(QStringLiteral("P = "), v));
}
void TAbout_Graphic_install::SetVERA(uint32_t v) {
  m_a->setText(HexLine(QStringLiteral("A = "), v));
}
void TAbout_Graphic_install::SetVERC(uint32_t v) {
  m_c->setText(HexLine(QStringLiteral("C = "), v));
}

void TAbout_Graphic_install::SetOPT(uint32_t v) {
  m_o->setText(HexLine(QStringLiteral("O = "), v));
  ApplyOptions(v);
}

void TAbout_Graphic_install::ApplyOptions(uint32_t opt) {
  for (size_t i = 0; i < std::size(kOptionLines); ++i) {
    const bool set = (opt >> kOptionLines[i].bit) & 1u;
    m_optionLines[i]->setEnabled(set);
    m_optionMarks[i]->setEnabled(set);
    m_optionMarks[i]->setVisible(set && kOptionLines[i].marksInstalled);
  }
}

// --------------------------------------------- multiplexers, checksums, test

void TAbout_Graphic_install::Setversionmuxoutmtbmax(const QString& text) {
  m_mtx->setText(text);
}
void TAbout_Graphic_install::Setversionmuxoutmfx(const QString& text) {
  m_mfx->setText(text);
}
void TAbout_Graphic_install::Setversionmuxoutpfx(const QString& text) {
  m_pfx->setText(text);
}

void TAbout_Graphic_install::SetMUXOUT(uint32_t v) {
  auto bit = [v](int b) { return (v >> b) & 1u ? QStringLiteral("1") : QStringLiteral("0"); };
  Setversionmuxoutmtbmax(bit(0));
  Setversionmuxoutmfx(bit(1));
  Setversionmuxoutpfx(bit(2));
}

void TAbout_Graphic_install::SetSCANVKM(uint32_t v) {
  m_vkm->setText(HexLine(QStringLiteral("VKM = "), v));
}
void TAbout_Graphic_install::SetSCANVKP(uint32_t v) {
  m_vkp->setText(HexLine(QStringLiteral("VKP = "), v));
}
void TAbout_Graphic_install::SetSCANVSM(uint32_t v) {
  m_vsm->setText(HexLine(QStringLiteral("VSM = "), v));
}
void TAbout_Graphic_install::SetSCANVSP(uint32_t v) {
  m_vsp->setText(HexLine(QStringLiteral("VSP = "), v));
}
void TAbout_Graphic_install::SetSCANVVM(uint32_t v) {
  m_vvm->setText(HexLine(QStringLiteral("VVM = "), v));
}
void TAbout_Graphic_install::SetSCANVVP(uint32_t v) {
  m_vvp->setText(HexLine(QStringLiteral("VVP = "), v));
}
void TAbout_Graphic_install::SetSCANVFM(uint32_t v) {
  m_vfm->setText(HexLine(QStringLiteral("VFM = "), v));
}
void TAbout_Graphic_install::SetSCANVFP(uint32_t v) {
  m_vfp->setText(HexLine(QStringLiteral("VFP = "), v));
}

void TAbout_Graphic_install::SetDOLLARS(uint32_t v) {
  m_testCode->setText(QString::number(v));
}

// ------------------------------------------------------------------ buttons

void TAbout_Graphic_install::Button_okClick() {
  accept();
}

bool TAbout_Graphic_install::Advanced() const {
  return !m_checksums->isHidden();
}

void TAbout_Graphic_install::Button_advancedClick() {
  const bool show = !Advanced();
  m_checksums->setVisible(show);
  m_status->setVisible(show);
  m_advanced->setText(show ? QStringLiteral("<< Advanced") : QStringLiteral("Advanced >>"));
  adjustSize();
}
