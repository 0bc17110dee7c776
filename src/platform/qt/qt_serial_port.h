// The serial port on QSerialPort.
//
// Received bytes are masked to seven bits on a 7-bit line: Qt passes bytes
// with bad parity through, and the frame cutter rejects what is not a frame.
//
// Writes go to the descriptor through a queue of our own. QSerialPort takes a
// write that would block (a printer holding the line with XOFF) for a
// resource error, which cannot be told from a pulled cable; here a held line
// keeps its bytes queued until the line takes them, and only a device that is
// gone (hang-up, EIO, ENXIO, ENODEV) closes the port. The owner hears of a
// loss once, through the LineLost event, unless the write that met it already
// said so.
//
// The line settings are set on the descriptor here, from a clean raw state at
// every open; QSerialPort opens the port at settings any line takes and, when
// it closes it, puts back the settings it found.
#pragma once

#include <QSerialPort>
#include <QSocketNotifier>
#include <memory>
#include <functional>
#include <string>

#include "platform/serial_port.h"

namespace rx {

class QtSerialPort : public SerialPort {
 public:
  // pathFor maps a port number to its device file.
  explicit QtSerialPort(std::function<std::string(int)> pathFor);

  void SetSettings(const LineSettings& settings) override { settings_ = settings; }
  void SetPortNumber(int number) override { number_ = number; }
  bool Open(OpenFailure* failure) override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Write(const std::string& bytes) override;
  std::string ReadAll() override;
  void DiscardInput() override;
  void DiscardOutput() override;
  int OutputQueueCount() override;
  void SetReceiveHandler(std::function<void(PortEvent event)> handler) override;

  // The line settings read back from the open port (speed 0 when closed or
  // not one of ours). A pty shows 8 data bits and no parity whatever was asked.
  LineSettings AppliedSettings() const;

 private:
  void OnError(QSerialPort::SerialPortError error);
  // Writes what the line takes now; false when the device is gone.
  bool WritePending();
  void OnWritable();
  void LoseLine();

  QSerialPort port_;
  std::string pending_;  // written by the owner, not yet taken by the driver
  std::unique_ptr<QSocketNotifier> writable_;
  std::function<std::string(int)> pathFor_;
  std::function<void(PortEvent)> handler_;
  LineSettings settings_;
  int number_ = 1;
  bool opening_ = false;
  bool sevenBits_ = false;  // received bytes lose their eighth bit
};

}  // namespace rx
