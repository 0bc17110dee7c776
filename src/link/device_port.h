// The serial link to the device: opening the port for each exchange,
// writing commands and text lines, cutting received frames.
//
// Frames are STX, a 20-character body, ETX; no checksum. Every exchange
// starts with OpenDevicePort, which closes and reopens the port with the line
// settings of that exchange and searches the port numbers when the
// configured one cannot be opened.
#pragma once

#include <functional>
#include <string>

#include "shell/terminal.h"

namespace rx {

inline constexpr char kStx = 2;
inline constexpr char kEtx = 3;
inline constexpr char kXon = 17;
inline constexpr char kXoff = 19;

// The device protocol's line, "9600,E,7,2", and plain text output's, "9600,N,8,1".
inline constexpr LineSettings kFramedLine{9600, Parity::Even, 7, 2};
inline constexpr LineSettings kTextLine{9600, Parity::None, 8, 1};
// What an exchange speaks on the line: framed commands or plain text lines.
enum class LineMode { Framed, Text };

// When the configured port cannot be opened, these are searched in order.
inline constexpr int kFirstSearchedPort = 3;
inline constexpr int kLastSearchedPort = 16;
// A text line is written only while the output queue holds at most this
// many characters: the queue stays short however long the file.
inline constexpr int kOutputQueueLimit = 100;
// Busy time the output queue may stay full (a text line waiting for room, a
// drain before the port closes) before the wait ends.
inline constexpr int kLongestQueueWaitMs = 100;
// A second without a word from the device ends the wait for its reply.
inline constexpr int kReplyTimeoutMs = 1000;

// Opens the port at once: "9600,N,8,1" for text output, else "9600,E,7,2"
// followed by one XON. Tries PortNo, then the searched ports; none gives error 1002 and
// false. Whatever waited in the input is dropped. A port still open is closed
// first without waiting: exchanges drain it through StartExchange.
bool OpenDevicePort(Terminal& t, LineMode mode);

// Lets what is still queued reach the line, then closes the port and runs
// then. The wait is a job of the event loop and ends when the queue is empty,
// after 100 ms of Busy time, or after mostMs whatever the mode.
void CloseDevicePort(Terminal& t, std::function<void(Terminal&)> then = {}, int mostMs = 1000);

// Every exchange begins here, Busy already set by its caller: the port is
// drained, reopened with the exchange's line settings, and begin runs, unless
// the exchange ended meanwhile (an error, the window closing).
void StartExchange(Terminal& t, LineMode mode, std::function<void(Terminal&)> begin);

// An exchange is waiting for the old queue to drain: what arrives now is
// stale, and keys wait with it.
bool PortOpening(const Terminal& t);

// Writes STX + body + ETX and restarts the reply time-out. Error 1009 when the
// write fails.
void SendCommand(Terminal& t, const std::string& body);

enum class LineWrite { Written, NoRoom, Failed };

// Writes text + CR LF when the output queue holds at most 100 characters,
// only while Busy (NoRoom otherwise, nothing written). A port that cannot be
// asked or written shows error 1009. Never waits: the caller comes back.
LineWrite SendTextLine(Terminal& t, const std::string& text);

// Cuts the received characters into frames and dispatches each complete one.
void ReadPortInput(Terminal& t, const std::string& received);

// The port's notification: characters arrived, or the line was lost.
void MSComm1_OnComm(Terminal& t, PortEvent event);

// Adds a line to the traffic list when Debug is on.
void LogTraffic(Terminal& t, const std::string& line);

}  // namespace rx
