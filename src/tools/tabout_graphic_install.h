// TAbout_Graphic_install: the About window. Shows the application's version,
// the attached model's picture and installed options, and behind
// "Advanced >>" the firmware part versions, the multiplexer-output
// indicators, the video-output checksums and the device's test code.
//
// It is created hidden at start-up and shown modally by the About menu
// (exec()). The main window keeps it up to date from its change handlers,
// visible or not; every call below is one line of such a handler:
//
//   visible_or_not_visible(dev), model row applied:
//     about->SetModel(pictureIndex, name);      // Image1 + caption "About <name> remote control"
//     about->SetVersionLineOrder(dev);          // DEV 27: K E P O I (F hidden); others K E P F O I
//     about->SetLinesACVisible(shown);          // step 1 hides them, the model row shows them
//   Timer1Timer while no device is identified:
//     about->SetPicture(cursor);                // 5, 6, 7, 8, 5, ...
//   AboutOkrimLOGOClick:
//     about->SetSoftwareVersion(QCoreApplication::applicationVersion());  // "3.4.0.12"; false = left
//     unchanged about->exec();
//   Zelvan_d1VERUPDchange:  about->SetVERUPD(link->VERUPD());
//   Zelvan_d1VERKchange ... Zelvan_d1VERCchange:
//     about->SetVERK(v), SetVERI(v), SetVERE(v), SetVERF(v), SetVERP(v), SetVERA(v), SetVERC(v)
//   Zelvan_d1OPTchange:     about->SetOPT(link->OPT());   // "O = ...." and the option lines
//   Zelvan_d1MUXOUTchange:  about->SetMUXOUT(link->MUXOUT());  // or the three Setversionmuxout* calls
//   SCANVKM .. SCANVFP:     about->SetSCANVKM(v) ... SetSCANVFP(v)
//   DOLLARS:                about->SetDOLLARS(link->DOLLARS());
//
// Object names: Image1, Panel_caption, GroupBox_software, Label_version,
// GroupBox_device, label_verupd, Label_options, Label_option_<bit> and
// Label_installed_<bit> for the option bits 0 1 2 3 4 5 6 7 9 11 12,
// GroupBox_checksums, label_k, label_e, label_p, label_f, label_o, label_I,
// Label_A, Label_C, muxout_MTBmax, muxout_MFX, muxout_PFX, Label_sdtv_out,
// Label_VKM, Label_VSM, Label_VVM, Label_VFM, Label_VKP, Label_VSP,
// Label_VVP, Label_VFP, GroupBox_status, Label_test_code, Button_ok,
// Button_advanced.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class TZelvan_d;

class TAbout_Graphic_install : public QDialog {
  Q_OBJECT

 public:
  // The option lines: the OPT bit each one shows, in display order.
  static constexpr std::array<int, 11> kOptionBits = {0, 1, 2, 3, 4, 5, 6, 7, 9, 11, 12};

  explicit TAbout_Graphic_install(TZelvan_d* link, QWidget* parent = nullptr);
  // The device link the window belongs to (it only shows what it is given).
  TZelvan_d* link() const { return m_link; }

  // ---- Model row ----
  // Picture of the list and caption "About " + name + " remote control".
  void SetModel(int pictureIndex, const QString& modelName);
  // Image1 from the picture list LMDBitmapList1 (pictures 5 to 11).
  void SetPicture(int index);
  int PictureIndex() const { return m_picture; }
  // The order of the version lines: for DEV 27 K, E, P, O, I at tops 64,
  // 80, 97, 114, 131 with F hidden; for other models K, E, P, F, O, I at
  // 64, 80, 97, 114, 131, 148 with F shown.
  void SetVersionLineOrder(int dev);
  void SetLinesACVisible(bool visible);

  // ---- Version displays ----
  // "Version : 3.04.00.12" for 3.4.0.12.
  static QString SoftwareVersionText(int major, int minor, int release, int build);
  void SetSoftwareVersion(int major, int minor, int release, int build);
  // From a dotted file version; an empty or malformed text leaves the line
  // unchanged and returns false.
  bool SetSoftwareVersion(const QString& fileVersion);
  // "Version : " + v div 100 + "." + v mod 100.
  void SetVERUPD(uint32_t v);
  void SetVERK(uint32_t v);
  void SetVERI(uint32_t v);
  void SetVERE(uint32_t v);
  void SetVERF(uint32_t v);
  void SetVERP(uint32_t v);
  void SetVERA(uint32_t v);
  void SetVERC(uint32_t v);
  // "O = " + the word, then the option lines: enabled when their bit is
  // set; the "installed" mark shown for bits 0, 1, 2, 6, 7, 9, 11, 12.
  void SetOPT(uint32_t v);
  void ApplyOptions(uint32_t opt);

  // ---- Multiplexer outputs, checksums, test code ----
  void Setversionmuxoutmtbmax(const QString& text);
  void Setversionmuxoutmfx(const QString& text);
  void Setversionmuxoutpfx(const QString& text);
  // Bit 0 to MTX, bit 1 to MFX, bit 2 to PFX, each "1" or "0".
  void SetMUXOUT(uint32_t v);
  void SetSCANVKM(uint32_t v);
  void SetSCANVKP(uint32_t v);
  void SetSCANVSM(uint32_t v);
  void SetSCANVSP(uint32_t v);
  void SetSCANVVM(uint32_t v);
  void SetSCANVVP(uint32_t v);
  void SetSCANVFM(uint32_t v);
  void SetSCANVFP(uint32_t v);
  void SetDOLLARS(uint32_t v);

  // ---- Buttons ----
  void Button_okClick();
  void Button_advancedClick();
  bool Advanced() const;

  // Prefix and value as four (or more) upper-case hexadecimal digits: ("K = ", 161) -> "K = 00A1".
  static QString HexLine(const QString& prefix, uint32_t v);

 private:
  void buildUi();

  TZelvan_d* m_link;
  int m_picture = -1;
  QLabel* m_image = nullptr;
  QLabel* m_version = nullptr;
  QLabel* m_verupd = nullptr;
  std::array<QLabel*, 11> m_optionLines{};
  std::array<QLabel*, 11> m_optionMarks{};
  QGroupBox* m_checksums = nullptr;
  QGroupBox* m_status = nullptr;
  QLabel* m_k = nullptr;
  QLabel* m_e = nullptr;
  QLabel* m_p = nullptr;
  QLabel* m_f = nullptr;
  QLabel* m_o = nullptr;
  QLabel* m_i = nullptr;
  QLabel* m_a = nullptr;
  QLabel* m_c = nullptr;
  QLabel* m_mtx = nullptr;
  QLabel* m_mfx = nullptr;
  QLabel* m_pfx = nullptr;
  QLabel* m_vkm = nullptr;
  QLabel* m_vsm = nullptr;
  QLabel* m_vvm = nullptr;
  QLabel* m_vfm = nullptr;
  QLabel* m_vkp = nullptr;
  QLabel* m_vsp = nullptr;
  QLabel* m_vvp = nullptr;
  QLabel* m_vfp = nullptr;
  QLabel* m_testCode = nullptr;
  QPushButton* m_advanced = nullptr;
};
