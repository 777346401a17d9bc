#pragma once
// Where a PDF file written by Qt puts the images it draws: the page objects
// are read for their media box and content stream, the transformation
// operators of the stream (q, Q, cm) followed, and the unit square of each
// image drawn (Do) mapped to the page. Only what Qt's PDF writer produces is
// understood: one content stream per page, compressed with Flate or not.

#include <QByteArray>
#include <QRegularExpression>
#include <QtMath>

#include <algorithm>
#include <array>
#include <vector>

namespace zk::test {

// An image as the page shows it, in millimetres from the page's top-left corner.
struct PdfImagePlacement {
    double leftMm = 0;
    double topMm = 0;
    double widthMm = 0;
    double heightMm = 0;
};

// Every image drawn, page by page, in the order drawn.
inline std::vector<PdfImagePlacement> PdfImagePlacements(const QByteArray& pdf)
{
    using Matrix = std::array<double, 6>;  // a b c d e f, as PDF writes it
    const auto multiply = [](const Matrix& m, const Matrix& n) {
        return Matrix{m[0] * n[0] + m[1] * n[2], m[0] * n[1] + m[1] * n[3],        m[2] * n[0] + m[3] * n[2],
                      m[2] * n[1] + m[3] * n[3], m[4] * n[0] + m[5] * n[2] + n[4], m[4] * n[1] + m[5] * n[3] + n[5]};
    };
    constexpr double MmPerPoint = 25.4 / 72.0;
    std::vector<PdfImagePlacement> images;
    const QRegularExpression pageObject(R"(/Type /Page\n(.*?)endobj)", QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression contents(R"(/Contents (\d+) 0 R)");
    const QRegularExpression mediaBox(R"(/MediaBox \[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\])");
    for (auto page = pageObject.globalMatch(pdf); page.hasNext();) {
        const QString dictionary = page.next().captured(1);
        const auto content = contents.match(dictionary);
        const auto box = mediaBox.match(dictionary);
        if (!content.hasMatch() || !box.hasMatch()) {
            continue;
        }
        const double pageTop = box.captured(4).toDouble();
        const QByteArray object = content.captured(1).toLatin1() + " 0 obj";
        const qsizetype at = pdf.indexOf("\n" + object);
        const qsizetype start = pdf.indexOf("stream\n", at) + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        QByteArray stream = pdf.mid(start, end - start);
        if (pdf.mid(at, start - at).contains("/FlateDecode")) {
            // qUncompress wants the zlib data behind a 4-byte size hint; it grows past a small one.
            stream = qUncompress(QByteArray::fromHex("00010000") + stream);
        }
        std::vector<Matrix> saved;
        Matrix current{1, 0, 0, 1, 0, 0};
        std::vector<double> operands;
        for (const QByteArray& token : stream.simplified().split(' ')) {
            bool number = false;
            const double value = token.toDouble(&number);
            if (number) {
                operands.push_back(value);
                continue;
            }
            if (token == "q") {
                saved.push_back(current);
            } else if (token == "Q" && !saved.empty()) {
                current = saved.back();
                saved.pop_back();
            } else if (token == "cm" && operands.size() >= 6) {
                const auto m = operands.end() - 6;
                current = multiply(Matrix{m[0], m[1], m[2], m[3], m[4], m[5]}, current);
            } else if (token == "Do") {
                // The corners of the unit square on the page, in points from the bottom left.
                double xs[4], ys[4];
                for (int corner = 0; corner < 4; ++corner) {
                    const double u = corner & 1, v = corner >> 1;
                    xs[corner] = u * current[0] + v * current[2] + current[4];
                    ys[corner] = u * current[1] + v * current[3] + current[5];
                }
                const auto [left, right] = std::minmax_element(xs, xs + 4);
                const auto [bottom, top] = std::minmax_element(ys, ys + 4);
                images.push_back({*left * MmPerPoint, (pageTop - *top) * MmPerPoint, (*right - *left) * MmPerPoint,
                                  (*top - *bottom) * MmPerPoint});
            }
            operands.clear();
        }
    }
    return images;
}

}  // namespace zk::test
