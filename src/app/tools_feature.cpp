#include "app/tools_feature.h"

#include "app/report_router.h"
#include "app/tzelvan_main.h"
#include "device/zelvan_d.h"
#include "tools/tabout_graphic_install.h"
#include "tools/tform_debug.h"
#include "tools/trs232landlg.h"

namespace zelvan::app {

namespace {
using About = TAbout_Graphic_install;
using Link = TZelvan_d;
struct AboutLine {
  int reg;
  const char* name;
  void (*show)(About&, const Link&);
};
// The About window's lines, each with the register it shows.
const AboutLine kAboutLines[] = {
    {Reg::VERUPD, "TAbout_Graphic_install::SetVERUPD", [](About& a, const Link& l) { a.SetVERUPD(l.VERUPD()); }},
    {Reg::VERK, "TAbout_Graphic_install::SetVERK", [](About& a, const Link& l) { a.SetVERK(l.VERK()); }},
    {Reg::VERI, "TAbout_Graphic_install::SetVERI", [](About& a, const Link& l) { a.SetVERI(l.VERI()); }},
    {Reg::VERE, "TAbout_Graphic_install::SetVERE", [](About& a, const Link& l) { a.SetVERE(l.VERE()); }},
    {Reg::VERF, "TAbout_Graphic_install::SetVERF", [](About& a, const Link& l) { a.SetVERF(l.VERF()); }},
    {Reg::VERP, "TAbout_Graphic_install::SetVERP", [](About& a, const Link& l) { a.SetVERP(l.VERP()); }},
    {Reg::VERA, "TAbout_Graphic_install::SetVERA", [](About& a, const Link& l) { a.SetVERA(l.VERA()); }},
    {Reg::VERC, "TAbout_Graphic_install::SetVERC", [](About& a, const Link& l) { a.SetVERC(l.VERC()); }},
    {Reg::MUXOUT, "TAbout_Graphic_install::SetMUXOUT", [](About& a, const Link& l) { a.SetMUXOUT(l.MUXOUT()); }},
    // The option word's effect on tabs and menus belongs to the mode layout;
    // the About window shows the word and its option lines.
    {Reg::OPT, "TAbout_Graphic_install::SetOPT", [](About& a, const Link& l) { a.SetOPT(l.OPT()); }},
    {Reg::SCANVKM, "TAbout_Graphic_install::SetSCANVKM", [](About& a, const Link& l) { a.SetSCANVKM(l.SCANVKM()); }},
    {Reg::SCANVKP, "TAbout_Graphic_install::SetSCANVKP", [](About& a, const Link& l) { a.SetSCANVKP(l.SCANVKP()); }},
    {Reg::SCANVSM, "TAbout_Graphic_install::SetSCANVSM", [](About& a, const Link& l) { a.SetSCANVSM(l.SCANVSM()); }},
    {Reg::SCANVSP, "TAbout_Graphic_install::SetSCANVSP", [](About& a, const Link& l) { a.SetSCANVSP(l.SCANVSP()); }},
    {Reg::SCANVVM, "TAbout_Graphic_install::SetSCANVVM", [](About& a, const Link& l) { a.SetSCANVVM(l.SCANVVM()); }},
    {Reg::SCANVVP, "TAbout_Graphic_install::SetSCANVVP", [](About& a, const Link& l) { a.SetSCANVVP(l.SCANVVP()); }},
    {Reg::SCANVFM, "TAbout_Graphic_install::SetSCANVFM", [](About& a, const Link& l) { a.SetSCANVFM(l.SCANVFM()); }},
    {Reg::SCANVFP, "TAbout_Graphic_install::SetSCANVFP", [](About& a, const Link& l) { a.SetSCANVFP(l.SCANVFP()); }},
    {Reg::DOLLARS, "TAbout_Graphic_install::SetDOLLARS", [](About& a, const Link& l) { a.SetDOLLARS(l.DOLLARS()); }},
};

struct LanLine {
  LinkEvent event;
  const char* name;
  void (TRs232LanDlg::*show)(const TZelvan_d&);
};
// The device LAN dialog follows the device's LAN registers, shown or not.
const LanLine kLanLines[] = {
    {LinkEvent::LOCAL_IPchange, "TRs232LanDlg::LocalIpChanged", &TRs232LanDlg::LocalIpChanged},
    {LinkEvent::REMOTE_IPchange, "TRs232LanDlg::RemoteIpChanged", &TRs232LanDlg::RemoteIpChanged},
    {LinkEvent::GATEWAY_IPchange, "TRs232LanDlg::GatewayIpChanged", &TRs232LanDlg::GatewayIpChanged},
    {LinkEvent::LOCAL_PORTchange, "TRs232LanDlg::LocalPortChanged", &TRs232LanDlg::LocalPortChanged},
    {LinkEvent::REMOTE_PORTchange, "TRs232LanDlg::RemotePortChanged", &TRs232LanDlg::RemotePortChanged},
    {LinkEvent::NETMASKchange, "TRs232LanDlg::NetmaskChanged", &TRs232LanDlg::NetmaskChanged},
};
}  // namespace

void TToolsFeature::addRoutes(TReportRouter& router) {
  TZelvan_main* shell = shell_;
  for (const AboutLine& line : kAboutLines) {
    auto show = line.show;
    router.add(line.reg, RoutePos::Tools, QLatin1String(line.name), [shell, show] {
      if (About* about = shell->windows().about) show(*about, *shell->link());
    });
  }
  for (const LanLine& line : kLanLines) {
    auto show = line.show;
    router.add(line.event, RoutePos::Tools, QLatin1String(line.name), [shell, show] {
      if (TRs232LanDlg* lan = shell->windows().lanDialog) (lan->*show)(*shell->link());
    });
  }
  router.add(Reg::TCPIP, RoutePos::Tools, QStringLiteral("TRs232LanDlg::TcpipChanged"), [shell] {
    if (TRs232LanDlg* lan = shell->windows().lanDialog) lan->TcpipChanged(*shell->link());
  });
  router.add(LinkEvent::Connected, RoutePos::Tools, QStringLiteral("TRs232LanDlg::SetConnected"), [shell] {
    if (TRs232LanDlg* lan = shell->windows().lanDialog) lan->SetConnected(shell->link()->Connected());
  });
}

void TToolsFeature::shuttingDown() {
  // The debug console's own close handling, when it is showing.
  if (TForm_debug* debug = shell_->windows().debug; debug && debug->isVisible()) debug->FormClose();
}

}  // namespace zelvan::app
