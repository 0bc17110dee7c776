// The serial port on QSerialPort.
//
// Received bytes are masked to seven bits on a 7-bit line: Qt passes bytes
// with bad parity through, and the frame cutter rejects what is not a frame.
// Any error the port reports means the line is gone: the port is closed and
// the owner hears of it once, through the LineLost event.
#pragma once

#include <QSerialPort>
#include <functional>
#include <string>

#include "platform/serial_port.h"

namespace rx {

class QtSerialPort : public SerialPort {
 public:
  // pathFor maps a port number to its device file.
  explicit QtSerialPort(std::function<std::string(int)> pathFor);

  void SetSettings(const std::string& settings) override;
  void SetPortNumber(int number) override { number_ = number; }
  bool Open(std::string* reason) override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Write(const std::string& bytes) override;
  std::string ReadAll() override;
  int OutputQueueCount() override;
  void SetReceiveHandler(std::function<void(int event)> handler) override;

  // What the last open applied, read back from the port.
  std::string AppliedSettings() const;

 private:
  void OnError(QSerialPort::SerialPortError error);

  QSerialPort port_;
  std::function<std::string(int)> pathFor_;
  std::function<void(int)> handler_;
  std::string settings_ = "9600,E,7,2";
  int number_ = 1;
  bool opening_ = false;
};

// "9600,E,7,2" into its parts; false when the text is not of that form.
struct LineSettings {
  int baud = 9600;
  char parity = 'N';
  int dataBits = 8;
  int stopBits = 1;
};
bool ParseLineSettings(const std::string& text, LineSettings* settings);

}  // namespace rx
