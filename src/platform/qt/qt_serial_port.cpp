#include "platform/qt/qt_serial_port.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/device_file.h"

namespace rx {

QtSerialPort::QtSerialPort(std::function<std::string(int)> pathFor) : pathFor_(std::move(pathFor)) {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] {
    if (handler_) handler_(PortEvent::Received);
  });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

void QtSerialPort::SetReceiveHandler(std::function<void(PortEvent)> handler) {
  handler_ = std::move(handler);
}

namespace {

// The line's settings, one change a function, each on a copy of the port's
// termios; ApplyLine writes the result once.

// No line editing, echo, signals or translation, whatever was set before:
// a program killed without its close leaves its settings on the tty.
void MakeRaw(termios* tio) {
  cfmakeraw(tio);
  tio->c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | PARMRK);
  tio->c_cflag &= ~CRTSCTS;
  tio->c_cflag |= CLOCAL | CREAD;
  tio->c_cc[VMIN] = 0;
  tio->c_cc[VTIME] = 0;
}

bool SetSpeed(termios* tio, int baud) {
  speed_t speed;
  switch (baud) {
    case 1200: speed = B1200; break;
    case 2400: speed = B2400; break;
    case 4800: speed = B4800; break;
    case 9600: speed = B9600; break;
    case 19200: speed = B19200; break;
    case 38400: speed = B38400; break;
    default: return false;
  }
  return cfsetispeed(tio, speed) == 0 && cfsetospeed(tio, speed) == 0;
}

void SetDataBits(termios* tio, int bits) {
  tio->c_cflag &= ~CSIZE;
  tio->c_cflag |= bits == 5 ? CS5 : bits == 6 ? CS6 : bits == 7 ? CS7 : CS8;
}

// Bytes with bad parity are passed on: the frame cutter drops what is no frame.
void SetParity(termios* tio, Parity parity) {
  tio->c_iflag |= IGNPAR;
  tio->c_cflag &= ~(PARENB | PARODD);
  if (parity == Parity::Even) tio->c_cflag |= PARENB;
  if (parity == Parity::Odd) tio->c_cflag |= PARENB | PARODD;
}

void SetStopBits(termios* tio, int bits) {
  if (bits == 2)
    tio->c_cflag |= CSTOPB;
  else
    tio->c_cflag &= ~CSTOPB;
}

// XON/XOFF both ways. Only XON lets held output go on: with IXANY any byte
// would, and a printer that sends a status byte while it holds the line
// would get text it cannot take.
void SetXonXoff(termios* tio) {
  tio->c_iflag |= IXON | IXOFF;
  tio->c_iflag &= ~IXANY;
}

// The exchange's settings from a clean raw state. A pty keeps 8 data bits
// and no parity, so the read-back is judged on what every line takes.
bool ApplyLine(int fd, const LineSettings& line, std::string* why) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) {
    *why = std::strerror(errno);
    return false;
  }
  MakeRaw(&tio);
  if (!SetSpeed(&tio, line.speed)) {
    *why = "unsupported speed " + std::to_string(line.speed);
    return false;
  }
  SetDataBits(&tio, line.dataBits);
  SetParity(&tio, line.parity);
  SetStopBits(&tio, line.stopBits);
  SetXonXoff(&tio);
  // glibc reports EINVAL when a pty took none of the changes because it
  // refused the data bits or parity; the read-back below is the judge.
  if (tcsetattr(fd, TCSANOW, &tio) != 0 && errno != EINVAL) {
    *why = std::strerror(errno);
    return false;
  }
  termios applied{};
  if (tcgetattr(fd, &applied) != 0) {
    *why = std::strerror(errno);
    return false;
  }
  const tcflag_t flow = IXON | IXOFF | IXANY;
  if (cfgetospeed(&applied) != cfgetospeed(&tio) || (applied.c_iflag & flow) != (tio.c_iflag & flow) ||
      (applied.c_lflag & (ICANON | ECHO | ISIG)) != 0) {
    *why = "the line settings did not take";
    return false;
  }
  return true;
}

}  // namespace

bool QtSerialPort::Open(OpenFailure* failure) {
  if (port_.isOpen()) port_.close();
  std::string path = pathFor_(number_);
  auto fail = [&](OpenFault fault, const std::string& why) {
    if (failure) *failure = {fault, path, path + ": " + why};
    return false;
  };
  const LineSettings line = settings_;
  if (line.dataBits < 5 || line.dataBits > 8 || (line.stopBits != 1 && line.stopBits != 2))
    return fail(OpenFault::Other, "bad line settings: " + std::to_string(line.dataBits) + " data bits, " +
                                      std::to_string(line.stopBits) + " stop bits");
  // Only a character device is a port; a folder, pipe or plain file is named
  // for what it is, and its permissions are no matter for the dialout group.
  const DeviceFile file = InspectDeviceFile(path);
  if (!file.problem.empty()) return fail(OpenFault::Other, file.problem);
  if (!file.exists) return fail(OpenFault::Missing, "No such file or directory");
  if (file.kind != FileKind::CharDevice)
    return fail(OpenFault::Other, std::string("not a serial device but ") + KindText(file.kind));
  // One device under two names (a by-id link and ttyUSB0) must share one lock.
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  if (!real) return fail(OpenFault::Other, std::strerror(errno));
  const QString canonical = QString::fromUtf8(real.get());
  if (canonical.toUtf8() != QByteArray(real.get()))
    return fail(OpenFault::Other, "its name is not UTF-8 text, and the serial port library opens no other");
  port_.setPortName(canonical);
  // QSerialPort opens at settings every line takes (8N1, no flow control),
  // whatever it finds on the tty; ApplyLine then sets the exchange's own.
  // Asked for 7E2 on a pty left at 9600 8N2 with XON/XOFF by a killed run,
  // QSerialPort's open would change nothing the pty takes and fail with
  // "Invalid argument". It restores the settings it found when it closes.
  port_.setBaudRate(line.speed);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  opening_ = true;
  bool opened = port_.open(QIODevice::ReadWrite);
  std::string why;
  if (opened && !ApplyLine(port_.handle(), line, &why)) {
    port_.close();
    opened = false;
  }
  opening_ = false;
  if (!opened) {
    if (why.empty()) why = port_.errorString().toStdString();
    port_.clearError();
    // QSerialPort says "permission" for a port locked by another program
    // too; only the file's own access check tells this user's right apart.
    if (access(real.get(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM))
      return fail(OpenFault::NoPermission, "Permission denied (is the user in the dialout group?)");
    return fail(OpenFault::Other, why);
  }
  sevenBits_ = line.dataBits == 7;
  port_.clearError();
  pending_.clear();
  writable_ = std::make_unique<QSocketNotifier>(port_.handle(), QSocketNotifier::Write);
  writable_->setEnabled(false);
  QObject::connect(writable_.get(), &QSocketNotifier::activated, [this] { OnWritable(); });
  return true;
}

void QtSerialPort::Close() {
  writable_.reset();
  pending_.clear();
  if (port_.isOpen()) {
    // What the line has not taken is dropped: a close must not wait on a
    // printer that holds the line (the kernel would, for up to 30 s).
    tcflush(port_.handle(), TCOFLUSH);
    port_.close();
  }
  port_.clearError();
}

bool QtSerialPort::Write(const std::string& bytes) {
  if (!port_.isOpen()) return false;
  pending_ += bytes;
  // Onto the line now, not at the next turn of the event loop.
  if (WritePending()) return true;
  LoseLine();
  return false;
}

bool QtSerialPort::WritePending() {
  while (!pending_.empty()) {
    ssize_t written = ::write(port_.handle(), pending_.data(), pending_.size());
    if (written > 0) {
      pending_.erase(0, static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;  // held
    return false;  // EIO, ENXIO, ENODEV: the device is gone
  }
  if (writable_) writable_->setEnabled(!pending_.empty());
  return true;
}

void QtSerialPort::OnWritable() {
  std::size_t before = pending_.size();
  if (!WritePending()) {
    LoseLine();
    if (handler_) handler_(PortEvent::LineLost);
    return;
  }
  if (pending_.size() < before && handler_) handler_(PortEvent::Written);
}

void QtSerialPort::LoseLine() {
  writable_.reset();
  pending_.clear();
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

std::string QtSerialPort::ReadAll() {
  if (!port_.isOpen()) return {};
  QByteArray data = port_.readAll();
  std::string text(data.constData(), static_cast<std::size_t>(data.size()));
  if (sevenBits_)
    for (char& c : text) c = static_cast<char>(c & 0x7F);
  return text;
}

void QtSerialPort::DiscardInput() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Input);  // the driver's input as well as Qt's buffer
  port_.readAll();
}

void QtSerialPort::DiscardOutput() {
  pending_.clear();
  if (writable_) writable_->setEnabled(false);
  if (!port_.isOpen()) return;
  // Only what the driver counts is flushed, so the count the caller took is
  // what was dropped. A pty counts nothing: its flush would take from the far
  // end what it has not read yet, which is past the line already.
  int inDriver = 0;
  if (ioctl(port_.handle(), TIOCOUTQ, &inDriver) == 0 && inDriver > 0) tcflush(port_.handle(), TCOFLUSH);
}

int QtSerialPort::OutputQueueCount() {
  if (!port_.isOpen()) return -1;
  int queued = static_cast<int>(pending_.size());
  int inDriver = 0;
  if (ioctl(port_.handle(), TIOCOUTQ, &inDriver) == 0 && inDriver > 0) queued += inDriver;
  return queued;
}

LineSettings QtSerialPort::AppliedSettings() const {
  termios tio{};
  if (!port_.isOpen() || tcgetattr(port_.handle(), &tio) != 0) return {0, Parity::None, 0, 0};
  const speed_t speed = cfgetospeed(&tio);
  const int baud = speed == B1200 ? 1200 : speed == B2400 ? 2400 : speed == B4800 ? 4800
                   : speed == B9600 ? 9600 : speed == B19200 ? 19200 : speed == B38400 ? 38400 : 0;
  const Parity parity = !(tio.c_cflag & PARENB) ? Parity::None : (tio.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
  const tcflag_t size = tio.c_cflag & CSIZE;
  const int bits = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;
  return {baud, parity, bits, (tio.c_cflag & CSTOPB) ? 2 : 1};
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || opening_ || !port_.isOpen()) return;
  // Every write is ours, so what QSerialPort reports comes from reading: a
  // pulled cable or a vanished pty, sometimes with a misleading text.
  LoseLine();
  if (handler_) handler_(PortEvent::LineLost);
}

}  // namespace rx
