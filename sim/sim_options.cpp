#include "sim/sim_options.h"

#include <QCommandLineParser>
#include <string_view>

#include "device/catalogue.h"

namespace zsim {

namespace {

struct Options {
  QCommandLineOption tcp{"tcp", "TCP port to listen on (0: any free port, off: no TCP). Default 10500.", "PORT", "10500"};
  QCommandLineOption udp{"udp", "UDP port to answer on (0: any free port, off: no UDP). Default 10500.", "PORT", "10500"};
  QCommandLineOption serial{"serial", "Also open a pseudo-terminal and print its path (line \"serial: PATH\")."};
  QCommandLineOption bind{"bind", "Address to listen on. Default 127.0.0.1.", "ADDR", "127.0.0.1"};
  QCommandLineOption model{"model", "Identity answered to \"?\": 27, 29, 31, 36, 37, 38 or 39 (others never connect). Default 36.", "DEV", "36"};
  QCommandLineOption opt{"opt", "Installed-option word, decimal or 0x hex. Default 0x1FFF (every option).", "WORD", "8191"};
  QCommandLineOption seed{"seed", "Seed of the fault injection. Default 1.", "N", "1"};
  QCommandLineOption log{"log", "Write a timestamped transcript of every line in and out to FILE (appended).", "FILE"};
  QCommandLineOption timeScale{"time-scale", "Percent of the device's own timings (settle, take, store, delay, mute): 100 is real time, 5 is twenty times faster. Default 100.", "PERCENT", "100"};
  QCommandLineOption drop{"drop", "Drop each reply line with probability P (0..1).", "P", "0"};
  QCommandLineOption delay{"delay", "Send every reply MS milliseconds late.", "MS", "0"};
  QCommandLineOption garbage{"garbage", "Put random bytes in front of each reply line with probability P (0..1).", "P", "0"};
  QCommandLineOption muteAfter{"mute-after", "After N commands stop answering (once) ...", "N", "0"};
  QCommandLineOption muteFor{"mute-for", "... for S seconds (may be fractional). Default 10.", "S", "10"};
  QCommandLineOption refuse{"refuse", "Close every TCP client as soon as it connects."};
  QCommandLineOption storeSpeed{"store-ms-per-64k", "Logo and frame stores take 400 ms plus MS per 65536 bytes of picture (before the time scale). Default 150; the application's own first estimate assumes 2400.", "MS", "150"};
  QCommandLineOption flashError{"flash-error", "The N-th logo or frame store ends with the flash error status and leaves its memory empty. Default 0: never.", "N", "0"};
  QCommandLineOption set{"set", "Start with register CODE (its command code, e.g. E or eu) at VALUE instead of its default; repeatable, applied in order.", "CODE=VALUE"};
  QCommandLineOption burstOrder{"burst-order", "Order of the single registers in the full-state burst: index (default) or shuffled (seeded by --seed, a new order each burst).", "ORDER", "index"};
  QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};

  void addTo(QCommandLineParser& p) {
    p.addOptions({tcp, udp, serial, bind, model, opt, seed, log, timeScale, drop, delay, garbage, muteAfter, muteFor,
                  refuse, storeSpeed, flashError, set, burstOrder, help});
  }
};

const char* kDescription =
    "Zelvan device simulator: answers the Zelvan remote control over TCP, UDP and a\n"
    "pseudo-terminal like the switcher would, so the application can run without the\n"
    "hardware. Once listening it prints \"tcp: PORT\", \"udp: PORT\" and, with --serial,\n"
    "\"serial: PATH\" on standard output. To reach the pseudo-terminal as COM3, put the\n"
    "line COM3=PATH in Option.ini in the application's working directory. Over UDP on\n"
    "one machine, the application's local port must differ from the simulator's port.";

bool parsePort(const QString& text, int* port) {
  if (text == QLatin1String("off")) {
    *port = -1;
    return true;
  }
  bool ok = false;
  const uint v = text.toUInt(&ok);
  if (!ok || v > 65535) return false;
  *port = static_cast<int>(v);
  return true;
}

bool parseProbability(const QString& text, double* p) {
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (!ok || !(v >= 0.0 && v <= 1.0)) return false;
  *p = v;
  return true;
}

}  // namespace

QString simHelpText() {
  QCommandLineParser p;
  p.setApplicationDescription(QString::fromLatin1(kDescription));
  Options o;
  o.addTo(p);
  return p.helpText();
}

ParseOutcome parseSimArguments(const QStringList& args, SimSettings& out, QString* message) {
  QCommandLineParser p;
  p.setApplicationDescription(QString::fromLatin1(kDescription));
  Options o;
  o.addTo(p);
  auto fail = [&](const QString& text) {
    if (message) *message = text;
    return ParseOutcome::Error;
  };
  if (!p.parse(args)) return fail(p.errorText());
  if (!p.positionalArguments().isEmpty())
    return fail(QStringLiteral("unexpected argument: %1").arg(p.positionalArguments().first()));
  if (p.isSet(o.help)) {
    if (message) *message = p.helpText();
    return ParseOutcome::Help;
  }

  SimSettings s;
  if (!parsePort(p.value(o.tcp), &s.tcpPort)) return fail(QStringLiteral("--tcp: not a port: %1").arg(p.value(o.tcp)));
  if (!parsePort(p.value(o.udp), &s.udpPort)) return fail(QStringLiteral("--udp: not a port: %1").arg(p.value(o.udp)));
  s.serial = p.isSet(o.serial);
  if (s.tcpPort < 0 && s.udpPort < 0 && !s.serial) return fail(QStringLiteral("no transport: TCP and UDP are off and --serial is not given"));
  if (!s.bind.setAddress(p.value(o.bind))) return fail(QStringLiteral("--bind: not an address: %1").arg(p.value(o.bind)));

  bool ok = false;
  s.device.model = p.value(o.model).toUInt(&ok);
  if (!ok) return fail(QStringLiteral("--model: not a number: %1").arg(p.value(o.model)));
  const QString optText = p.value(o.opt);
  s.device.options = optText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? optText.mid(2).toUInt(&ok, 16)
                                                                                    : optText.toUInt(&ok);
  if (!ok) return fail(QStringLiteral("--opt: not a number: %1").arg(optText));
  s.seed = p.value(o.seed).toULongLong(&ok);
  if (!ok) return fail(QStringLiteral("--seed: not a number: %1").arg(p.value(o.seed)));
  s.timeScalePercent = p.value(o.timeScale).toInt(&ok);
  if (!ok || s.timeScalePercent < 1 || s.timeScalePercent > 10000)
    return fail(QStringLiteral("--time-scale: expected 1..10000: %1").arg(p.value(o.timeScale)));
  s.logPath = p.value(o.log);

  if (!parseProbability(p.value(o.drop), &s.faults.dropProbability))
    return fail(QStringLiteral("--drop: expected a probability 0..1: %1").arg(p.value(o.drop)));
  if (!parseProbability(p.value(o.garbage), &s.faults.garbageProbability))
    return fail(QStringLiteral("--garbage: expected a probability 0..1: %1").arg(p.value(o.garbage)));
  const int delay = p.value(o.delay).toInt(&ok);
  if (!ok || delay < 0 || delay > 60000) return fail(QStringLiteral("--delay: expected 0..60000 ms: %1").arg(p.value(o.delay)));
  s.faults.delayMs = delay;
  s.faults.muteAfter = p.value(o.muteAfter).toULongLong(&ok);
  if (!ok) return fail(QStringLiteral("--mute-after: not a number: %1").arg(p.value(o.muteAfter)));
  const double muteFor = p.value(o.muteFor).toDouble(&ok);
  if (!ok || !(muteFor >= 0 && muteFor <= 86400)) return fail(QStringLiteral("--mute-for: expected 0..86400 s: %1").arg(p.value(o.muteFor)));
  s.faults.muteForMs = static_cast<int64_t>(muteFor * 1000.0 + 0.5);
  s.faults.refuseTcp = p.isSet(o.refuse);
  const qlonglong storeMs = p.value(o.storeSpeed).toLongLong(&ok);
  if (!ok || storeMs < 0 || storeMs > 600000)
    return fail(QStringLiteral("--store-ms-per-64k: expected 0..600000 ms: %1").arg(p.value(o.storeSpeed)));
  s.device.storeMsPer64KiB = storeMs;
  s.device.flashErrorStore = p.value(o.flashError).toInt(&ok);
  if (!ok || s.device.flashErrorStore < 0)
    return fail(QStringLiteral("--flash-error: expected a store number, 0 for none: %1").arg(p.value(o.flashError)));
  for (const QString& item : p.values(o.set)) {
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    const QByteArray code = eq > 0 ? item.left(eq).toLatin1() : QByteArray();
    const int index = code.isEmpty() ? -1 : zelvan::lastRegisterWithCode(std::string_view(code.constData(), size_t(code.size())));
    if (index < 0) return fail(QStringLiteral("--set: no register with that command code: %1").arg(item));
    const QString valueText = item.mid(eq + 1);
    const qulonglong value = valueText.toULongLong(&ok);
    const zelvan::RangePair range = zelvan::acceptedRanges()[size_t(index)];
    if (!ok || value < range.min || value > range.max)
      return fail(QStringLiteral("--set: expected %1..%2 for %3: %4").arg(range.min).arg(range.max).arg(QString::fromLatin1(code), valueText));
    s.device.presets.emplace_back(index, static_cast<uint32_t>(value));
  }
  const QString order = p.value(o.burstOrder);
  if (order != QLatin1String("index") && order != QLatin1String("shuffled"))
    return fail(QStringLiteral("--burst-order: expected index or shuffled: %1").arg(order));
  s.device.shuffledBurst = order == QLatin1String("shuffled");
  s.device.burstSeed = s.seed;
  out = s;
  return ParseOutcome::Run;
}

}  // namespace zsim
