#include "platform/qt/qt_serial_port.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sstream>

namespace rx {

bool ParseLineSettings(const std::string& text, LineSettings* settings) {
  std::istringstream in(text);
  std::string baud, parity, data, stop;
  if (!std::getline(in, baud, ',') || !std::getline(in, parity, ',') ||
      !std::getline(in, data, ',') || !std::getline(in, stop))
    return false;
  try {
    settings->baud = std::stoi(baud);
    settings->dataBits = std::stoi(data);
    settings->stopBits = std::stoi(stop);
  } catch (...) {
    return false;
  }
  if (parity.size() != 1 || std::string("NEO").find(parity[0]) == std::string::npos) return false;
  settings->parity = parity[0];
  return settings->dataBits >= 5 && settings->dataBits <= 8 &&
         (settings->stopBits == 1 || settings->stopBits == 2);
}

QtSerialPort::QtSerialPort(std::function<std::string(int)> pathFor) : pathFor_(std::move(pathFor)) {
  QObject::connect(&port_, &QSerialPort::readyRead, [this] {
    if (handler_) handler_(PortEvents::Received);
  });
  QObject::connect(&port_, &QSerialPort::errorOccurred,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

void QtSerialPort::SetSettings(const std::string& settings) { settings_ = settings; }

void QtSerialPort::SetReceiveHandler(std::function<void(int)> handler) {
  handler_ = std::move(handler);
}

bool QtSerialPort::Open(std::string* reason) {
  if (port_.isOpen()) port_.close();
  LineSettings line;
  if (!ParseLineSettings(settings_, &line)) {
    if (reason) *reason = "bad line settings " + settings_;
    return false;
  }
  std::string path = pathFor_(number_);
  // One device under two names (a by-id link and ttyUSB0) must share one lock.
  QString canonical = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
  if (canonical.isEmpty()) {
    if (reason) *reason = path + ": No such file or directory";
    return false;
  }
  port_.setPortName(canonical);
  // Settings given before the open are applied by the open itself. A device
  // that cannot take one of them (a pty keeps 8 data bits) is no lost line.
  port_.setBaudRate(line.baud);
  port_.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits));
  port_.setParity(line.parity == 'E'   ? QSerialPort::EvenParity
                  : line.parity == 'O' ? QSerialPort::OddParity
                                       : QSerialPort::NoParity);
  port_.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::SoftwareControl);
  opening_ = true;
  bool opened = port_.open(QIODevice::ReadWrite);
  opening_ = false;
  if (!opened) {
    if (reason) {
      std::string why = port_.errorString().toStdString();
      if (access(canonical.toLocal8Bit().constData(), R_OK | W_OK) != 0 && errno == EACCES)
        why = "Permission denied (is the user in the dialout group?)";
      *reason = path + ": " + why;
    }
    port_.clearError();
    return false;
  }
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
    if (handler_) handler_(PortEvents::LineLost);
    return;
  }
  if (pending_.size() < before && handler_) handler_(PortEvents::Written);
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
  if (port_.dataBits() == QSerialPort::Data7)
    for (char& c : text) c = static_cast<char>(c & 0x7F);
  return text;
}

void QtSerialPort::DiscardInput() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Input);  // the driver's input as well as Qt's buffer
  port_.readAll();
}

int QtSerialPort::OutputQueueCount() {
  if (!port_.isOpen()) return -1;
  int queued = static_cast<int>(pending_.size());
  int inDriver = 0;
  if (ioctl(port_.handle(), TIOCOUTQ, &inDriver) == 0 && inDriver > 0) queued += inDriver;
  return queued;
}

std::string QtSerialPort::AppliedSettings() const {
  char parity = port_.parity() == QSerialPort::EvenParity  ? 'E'
                : port_.parity() == QSerialPort::OddParity ? 'O'
                                                           : 'N';
  return std::to_string(port_.baudRate()) + "," + parity + "," +
         std::to_string(static_cast<int>(port_.dataBits())) + "," +
         (port_.stopBits() == QSerialPort::TwoStop ? "2" : "1");
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || opening_ || !port_.isOpen()) return;
  // Every write is ours, so what QSerialPort reports comes from reading: a
  // pulled cable or a vanished pty, sometimes with a misleading text.
  LoseLine();
  if (handler_) handler_(PortEvents::LineLost);
}

}  // namespace rx
