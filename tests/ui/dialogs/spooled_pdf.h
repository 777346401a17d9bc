#pragma once
// A print job as the print server's device wrote it, read by poppler's own
// tools (pdfinfo, pdfimages) rather than by the writer that made it, and by
// pdf_image_geometry.h for where each image lies on its page.

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ui/dialogs/pdf_image_geometry.h"

namespace zk::test {

struct SpooledImage {
    int widthDots = 0;
    int heightDots = 0;
    int xPpi = 0;
    int yPpi = 0;
};

struct SpooledPdf {
    bool read = false;
    int pages = 0;
    // The first page's size, in points.
    double pageWidthPt = 0;
    double pageHeightPt = 0;
    std::vector<SpooledImage> images;
    std::vector<PdfImagePlacement> placements;
    bool jpeg = false;
};

inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, got);
        }
        pclose(pipe);
    }
    return output;
}

inline SpooledPdf ReadSpooledPdf(const std::filesystem::path& file)
{
    SpooledPdf pdf;
    QFile source(QString::fromStdString(file.string()));
    if (!source.open(QIODevice::ReadOnly)) {
        return pdf;
    }
    const QByteArray bytes = source.readAll();
    pdf.placements = PdfImagePlacements(bytes);
    pdf.jpeg = bytes.contains("/DCTDecode");

    const std::string quoted = "'" + file.string() + "'";
    std::istringstream info(CommandOutput("pdfinfo " + quoted + " 2>&1"));
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("Pages:", 0) == 0) {
            pdf.pages = std::stoi(line.substr(6));
            pdf.read = true;
        } else if (line.rfind("Page size:", 0) == 0) {
            std::istringstream size(line.substr(10));
            std::string by;
            size >> pdf.pageWidthPt >> by >> pdf.pageHeightPt;
        }
    }
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    std::istringstream list(CommandOutput("pdfimages -list " + quoted + " 2>&1"));
    std::string line;
    std::getline(list, line);
    std::getline(list, line);
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string skip;
        SpooledImage image;
        fields >> skip >> skip >> skip >> image.widthDots >> image.heightDots;
        for (int field = 5; field < 12; ++field) {
            fields >> skip;
        }
        fields >> image.xPpi >> image.yPpi;
        if (fields) {
            pdf.images.push_back(image);
        }
    }
    return pdf;
}

}  // namespace zk::test
