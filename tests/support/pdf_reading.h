// Printed PDF files read back with poppler's tools: the page count (pdfinfo), the text
// (pdftotext) and the page numbers of the timetable's footers in it.
#pragma once

#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/shell_quoted.h"

namespace vek::testing {

// The output of a command line (the tests pass it file names they made themselves).
inline std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
      out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

inline int PdfPages(const std::filesystem::path& file) {
  std::istringstream info(Output("pdfinfo " + ShellQuoted(file.string()) + " 2>/dev/null"));
  for (std::string line; std::getline(info, line);)
    if (line.rfind("Pages:", 0) == 0)
      return std::stoi(line.substr(6));
  return -1;
}

// The PDF's text with Arabic presentation forms folded to their letters.
inline QString PdfText(const std::filesystem::path& file) {
  return QString::fromStdString(
             Output("pdftotext " + ShellQuoted(file.string()) + " - 2>/dev/null"))
      .normalized(QString::NormalizationForm_KC);
}

// The page numbers of a PDF's footers, in the order of its pages.
inline std::vector<int> FooterNumbers(const QString& text) {
  std::vector<int> pages;
  const QRegularExpression number(QStringLiteral("Page \\((\\d+)\\)"));
  for (auto it = number.globalMatch(text); it.hasNext();)
    pages.push_back(it.next().captured(1).toInt());
  return pages;
}

}  // namespace vek::testing
