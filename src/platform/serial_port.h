// The serial line to the device.
//
// Line settings (speed, parity, data bits, stop bits) and a port number mapped
// to a device path by the implementation. The port always uses
// XON/XOFF flow control, hands over every received character at once, and a
// read takes everything waiting.
#pragma once

#include <functional>
#include <string>

namespace rx {

enum class Parity { None, Even, Odd };

struct LineSettings {
  int speed = 9600;  // baud
  Parity parity = Parity::None;
  int dataBits = 8;
  int stopBits = 1;
  bool operator==(const LineSettings&) const = default;
};

// What the receive notification tells.
enum class PortEvent {
  Received,  // characters arrived
  Written,   // queued characters went onto the line: room again
  LineLost,  // the device went away or the line failed
};

// Why an open failed. The kind is what the operator is told about: a device
// file this user may not use (EACCES, EPERM) has a remedy of its own.
enum class OpenFault { Missing, NoPermission, Other };

struct OpenFailure {
  OpenFault fault = OpenFault::Other;
  std::string device;  // the device file tried
  std::string reason;  // the system's words, device file first
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  virtual void SetSettings(const LineSettings& settings) = 0;
  virtual void SetPortNumber(int number) = 0;
  // Opens the port; on failure says why in failure.
  virtual bool Open(OpenFailure* failure) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Queues bytes for the line; a line held by the other side's XOFF keeps
  // them queued. False only when the device is gone (the port is then closed).
  virtual bool Write(const std::string& bytes) = 0;
  virtual std::string ReadAll() = 0;
  // Drops everything received and not yet read, the driver's input included.
  virtual void DiscardInput() = 0;
  // Drops everything written and not yet on the line, ours and the driver's:
  // a line held with XOFF then gets nothing more when it is let go.
  virtual void DiscardOutput() = 0;
  // Characters not yet on the line, ours and the driver's; -1 when the port
  // cannot be asked (closed).
  virtual int OutputQueueCount() = 0;
  virtual void SetReceiveHandler(std::function<void(PortEvent event)> handler) = 0;
};

}  // namespace rx
