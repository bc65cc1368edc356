// Reading PDF files in tests through poppler-utils (pdfinfo, pdftotext, pdftoppm), so that
// the pages are checked by a reader that is not ours.
#pragma once

#include <cstdio>
#include <string>

#include <QColor>
#include <QImage>
#include <QString>

namespace orvel::testing {

// The standard output of a shell command; empty when it cannot run.
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

inline bool HavePoppler()
{
    return CommandOutput("for t in pdftotext pdftoppm pdfinfo; do command -v $t; done | wc -l") == "3\n";
}

inline std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

// The page count pdfinfo reads; 0 when it reads none.
inline int PdfPageCount(const std::string& path)
{
    const std::string info = CommandOutput("pdfinfo " + Quoted(path) + " 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

// One page's text, laid out as on the page.
inline std::string PdfPageText(const std::string& path, int page)
{
    const std::string n = std::to_string(page);
    return CommandOutput("pdftotext -layout -f " + n + " -l " + n + " " + Quoted(path) + " - 2>/dev/null");
}

// One page rendered at a resolution, as an image; null when it cannot be rendered.
inline QImage RenderPdfPage(const std::string& path, int page, int dots_per_inch, const std::string& png_stem)
{
    const std::string n = std::to_string(page);
    CommandOutput("pdftoppm -png -singlefile -r " + std::to_string(dots_per_inch) + " -f " + n + " -l " + n + " " +
                  Quoted(path) + " " + Quoted(png_stem));
    return QImage(QString::fromStdString(png_stem + ".png"));
}

inline bool CloseTo(QColor a, QColor b, int tolerance = 3)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace orvel::testing
