// The program and the tools that read its output back, run as a user runs
// them.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace rx::testing {

struct Outcome { int code; QString out, err; };

// In this process's environment, with the test's CUPS_SERVER where it set one.
inline Outcome RunProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000)) process.kill(), process.waitForFinished();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// Each run refused with its exit code and, on stderr, why.
struct Refusal { QStringList arguments; int code; const char* said; };
inline void ExpectRefused(const QString& program, std::initializer_list<Refusal> runs) {
  for (const Refusal& run : runs) {
    SCOPED_TRACE(run.arguments.join(' ').toStdString());
    const Outcome outcome = RunProgram(program, run.arguments);
    EXPECT_EQ(outcome.code, run.code);
    EXPECT_TRUE(outcome.err.contains(run.said)) << outcome.err.toStdString();
  }
}

// The text of a PDF, blanks run together, without the page headers (those
// holding a "page n / m" mark, which go to marks, and the headings, which
// go to headings).
inline std::vector<std::string> PdfLines(const QString& pdf, std::vector<std::string>* marks = nullptr,
                                         std::vector<std::string>* headings = nullptr) {
  std::vector<std::string> lines;
  for (QString line : RunProgram("pdftotext", {"-layout", pdf, "-"}).out.split('\n')) {
    line = line.simplified();
    int mark = line.indexOf(QRegularExpression("page \\d+ / \\d+$"));
    if (mark >= 0 && marks) marks->push_back(line.mid(mark).toStdString());
    if (mark >= 0 && headings) headings->push_back(line.left(mark).trimmed().toStdString());
    if (mark < 0 && !line.isEmpty() && !line.startsWith('\f')) lines.push_back(line.toStdString());
  }
  return lines;
}

inline int PdfPages(const QString& pdf) {
  return QRegularExpression("Pages:\\s+(\\d+)").match(RunProgram("pdfinfo", {pdf}).out).captured(1).toInt();
}

}  // namespace rx::testing
