#include "sim/pty_transport.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace zsim {

namespace {
const QString kSource = QStringLiteral("serial");

QString systemError(const char* what) { return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno))); }
}  // namespace

PtyTransport::PtyTransport(QObject* parent) : Transport(parent) {
  m_retry.setSingleShot(true);
  m_retry.setInterval(200);
  QObject::connect(&m_retry, &QTimer::timeout, this, [this] {
    if (m_readNotifier) m_readNotifier->setEnabled(true);
  });
}

PtyTransport::~PtyTransport() { closeAll(); }

void PtyTransport::closeAll() {
  m_readNotifier.reset();
  m_writeNotifier.reset();
  if (m_slave >= 0) ::close(m_slave);
  if (m_master >= 0) ::close(m_master);
  m_slave = m_master = -1;
}

bool PtyTransport::open(QString* error) {
  m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
    if (error) *error = systemError("pseudo-terminal");
    closeAll();
    return false;
  }
  char name[256] = {};
  if (::ptsname_r(m_master, name, sizeof name) != 0) {
    if (error) *error = systemError("pseudo-terminal name");
    closeAll();
    return false;
  }
  m_path = QString::fromLocal8Bit(name);
  m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (m_slave < 0) {
    if (error) *error = systemError("pseudo-terminal slave");
    closeAll();
    return false;
  }
  // Raw mode: no echo of the reports back to us, no line editing, no
  // translation of CR and LF; 9600 baud, 8 data bits, no parity, 1 stop bit.
  termios tio{};
  if (::tcgetattr(m_slave, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(m_slave, TCSANOW, &tio);
  }
  ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

  m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
  QObject::connect(m_readNotifier.get(), &QSocketNotifier::activated, this, [this] { readMaster(); });
  m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
  m_writeNotifier->setEnabled(false);
  QObject::connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, [this] { writeMaster(); });
  return true;
}

void PtyTransport::readMaster() {
  char buf[4096];
  QByteArray data;
  for (;;) {
    const ssize_t n = ::read(m_master, buf, sizeof buf);
    if (n > 0) {
      data.append(buf, static_cast<qsizetype>(n));
      if (data.size() >= 64 * 1024) break;  // hand over in bounded pieces
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    // End of file or an error (no slave side): pause reading for a moment
    // rather than spin on a descriptor that stays readable.
    m_readNotifier->setEnabled(false);
    m_retry.start();
    break;
  }
  if (!data.isEmpty()) received(kSource, data);
}

void PtyTransport::send(const QByteArray& bytes) {
  if (m_master < 0) return;
  if (m_out.size() + bytes.size() > kMaxQueuedBytes) {
    if (!m_overflowing) event(QStringLiteral("serial: nobody reads the port, reports are dropped"));
    m_overflowing = true;
    return;
  }
  m_overflowing = false;
  m_out += bytes;
  writeMaster();
}

void PtyTransport::writeMaster() {
  while (!m_out.isEmpty()) {
    const ssize_t n = ::write(m_master, m_out.constData(), static_cast<size_t>(m_out.size()));
    if (n > 0) {
      m_out.remove(0, static_cast<qsizetype>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      m_writeNotifier->setEnabled(true);
      return;
    }
    // The terminal refuses data: what is waiting cannot be delivered.
    m_out.clear();
    break;
  }
  m_writeNotifier->setEnabled(false);
}

}  // namespace zsim
