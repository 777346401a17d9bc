#pragma once
// Where a PDF file written by Qt puts the images it draws: the content
// streams of its pages are read, their transformation operators (q, Q, cm)
// followed, and the unit square of each image drawn (Do) mapped to the page.
// Only what Qt's PDF writer produces is understood: one content stream per
// page, compressed with Flate or not.

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QtMath>

#include <array>
#include <vector>

namespace zk::test {

// The width in millimetres of every image drawn, in the order drawn.
inline std::vector<double> PdfImageWidthsMm(const QByteArray& pdf)
{
    using Matrix = std::array<double, 6>;  // a b c d e f, as PDF writes it
    const auto multiply = [](const Matrix& m, const Matrix& n) {
        return Matrix{m[0] * n[0] + m[1] * n[2],        m[0] * n[1] + m[1] * n[3],
                      m[2] * n[0] + m[3] * n[2],        m[2] * n[1] + m[3] * n[3],
                      m[4] * n[0] + m[5] * n[2] + n[4], m[4] * n[1] + m[5] * n[3] + n[5]};
    };
    std::vector<double> widths;
    const QRegularExpression contents(R"(/Contents (\d+) 0 R)");
    for (auto page = contents.globalMatch(pdf); page.hasNext();) {
        const QByteArray object = page.next().captured(1).toLatin1() + " 0 obj";
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
                widths.push_back(qSqrt(current[0] * current[0] + current[1] * current[1]) * 25.4 / 72.0);
            }
            operands.clear();
        }
    }
    return widths;
}

}  // namespace zk::test
