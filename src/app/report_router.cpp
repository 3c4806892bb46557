#include "app/report_router.h"

#include <QPointer>
#include <algorithm>

#include "device/zelvan_d.h"

namespace zelvan::app {

namespace {
struct Special {
  LinkEvent event;
  const char* name;
  TZelvanNotifyEvent TZelvan_d::*member;
};
const Special kSpecials[] = {
    {LinkEvent::Connected, "Connected", &TZelvan_d::OnConnected},
    {LinkEvent::Ready, "Ready", &TZelvan_d::OnReady},
    {LinkEvent::SentString, "SentString", &TZelvan_d::OnSentString},
    {LinkEvent::ConTypechange, "ConTypechange", &TZelvan_d::OnConTypechange},
    {LinkEvent::IpLocalPortchange, "IpLocalPortchange", &TZelvan_d::OnIpLocalPortchange},
    {LinkEvent::IpRemotePortchange, "IpRemotePortchange", &TZelvan_d::OnIpRemotePortchange},
    {LinkEvent::IpRemoteAddresschange, "IpRemoteAddresschange", &TZelvan_d::OnIpRemoteAddresschange},
    {LinkEvent::VarNroLigneMiniConfigOfFile, "VarNroLigneMiniConfigOfFile", &TZelvan_d::OnVarNroLigneMiniConfigOfFile},
    {LinkEvent::RS232busy, "RS232busy", &TZelvan_d::ONRS232busy},
    {LinkEvent::LOCAL_IPchange, "LOCAL_IPchange", &TZelvan_d::OnLOCAL_IPchange},
    {LinkEvent::REMOTE_IPchange, "REMOTE_IPchange", &TZelvan_d::OnREMOTE_IPchange},
    {LinkEvent::GATEWAY_IPchange, "GATEWAY_IPchange", &TZelvan_d::OnGATEWAY_IPchange},
    {LinkEvent::LOCAL_PORTchange, "LOCAL_PORTchange", &TZelvan_d::OnLOCAL_PORTchange},
    {LinkEvent::REMOTE_PORTchange, "REMOTE_PORTchange", &TZelvan_d::OnREMOTE_PORTchange},
    {LinkEvent::NETMASKchange, "NETMASKchange", &TZelvan_d::OnNETMASKchange},
    {LinkEvent::PEDGC_Zelvan_change, "PEDGC_Zelvan_change", &TZelvan_d::OnPEDGC_Zelvan_change},
    {LinkEvent::PEDGC_Softedge_change, "PEDGC_Softedge_change", &TZelvan_d::OnPEDGC_Softedge_change},
};
static_assert(std::size(kSpecials) == size_t(kLinkEventCount - kRegisterCount), "one row per link event");
}  // namespace

TReportRouter::TReportRouter() = default;

void TReportRouter::add(int event, RoutePos pos, const QString& name, Routine run) {
  if (event < 0 || event >= kLinkEventCount || !run) return;
  Entry e{pos, name, std::move(run)};
  if (running_ > 0)
    pending_.emplace_back(event, std::move(e));
  else
    insert(event, std::move(e));
}

void TReportRouter::insert(int event, Entry e) {
  auto& list = table_[size_t(event)];
  // After every routine at the same or an earlier position.
  auto at = std::upper_bound(list.begin(), list.end(), e.pos,
                             [](RoutePos p, const Entry& x) { return int(p) < int(x.pos); });
  list.insert(at, std::move(e));
}

void TReportRouter::run(int event) {
  if (event < 0 || event >= kLinkEventCount) return;
  const auto& list = table_[size_t(event)];
  if (list.empty()) return;
  ++running_;
  for (const Entry& e : list) e.run();
  if (--running_ == 0 && !pending_.empty()) {
    auto waiting = std::move(pending_);
    pending_.clear();
    for (auto& [ev, entry] : waiting) insert(ev, std::move(entry));
  }
}

void TReportRouter::install(TZelvan_d& link) {
  auto handler = [this](int event) { return [this, event](QObject*, int) { run(event); }; };
  for (int i = 0; i < kRegisterCount; ++i)
    if (TZelvanNotifyEvent* ev = link.changeEvent(i)) *ev = handler(i);
  // PEDGC reports reach the panels through the link's two own PEDGC events.
  for (const Special& s : kSpecials) link.*(s.member) = handler(eventId(s.event));
}

void TReportRouter::uninstall(TZelvan_d& link) {
  for (int i = 0; i < kRegisterCount; ++i)
    if (TZelvanNotifyEvent* ev = link.changeEvent(i)) *ev = nullptr;
  for (const Special& s : kSpecials) link.*(s.member) = nullptr;
}

QStringList TReportRouter::routineNames(int event) const {
  QStringList names;
  if (event < 0 || event >= kLinkEventCount) return names;
  for (const Entry& e : table_[size_t(event)]) names << e.name;
  return names;
}

std::vector<RoutePos> TReportRouter::routinePositions(int event) const {
  std::vector<RoutePos> out;
  if (event < 0 || event >= kLinkEventCount) return out;
  for (const Entry& e : table_[size_t(event)]) out.push_back(e.pos);
  return out;
}

std::vector<int> TReportRouter::routedEvents() const {
  std::vector<int> out;
  for (int i = 0; i < kLinkEventCount; ++i)
    if (!table_[size_t(i)].empty()) out.push_back(i);
  return out;
}

QString TReportRouter::eventName(int event) {
  if (event >= 0 && event < kRegisterCount) {
    const auto p = registerInfo(event).property;
    return QString::fromLatin1(p.data(), qsizetype(p.size()));
  }
  for (const Special& s : kSpecials)
    if (eventId(s.event) == event) return QLatin1String(s.name);
  return QString();
}

}  // namespace zelvan::app
