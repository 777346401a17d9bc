// The page a driver print job is drawn on: the printer setup's choice where
// the printer still offers it, else the printer's defaults, else what the
// print system offers first; where it names no resolution the labels' own
// 203 dpi, and where it names no paper a page of the label's size.

#include <gtest/gtest.h>
#include <QFile>
#include <ostream>
#include <string>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/support/engine_fixture.h"
#include "tests/ui/dialogs/spooled_pdf.h"
#include "ui/print/label_job.h"

namespace zk {
namespace {

const PrinterMedia A4{"iso_a4_210x297mm", "A4", 21000, 29700};
const PrinterMedia Letter{"na_letter_8.5x11in", "Letter", 21590, 27940};

PrinterDescription Office()
{
    return {"office", {{300, 300}, {600, 600}}, PrinterResolution{300, 300}, {A4, Letter}, A4, {}, false};
}

struct PageCase {
    const char* name;
    PrinterDescription printer;
    PrinterSettings chosen;
    std::optional<PrinterResolution> resolution;  // none: the printer can't be printed to
    std::string media;                            // empty: none
};

void PrintTo(const PageCase& row, std::ostream* out)
{
    *out << row.name;
}

class ChooseJobPageTest : public ::testing::TestWithParam<PageCase> {
};

TEST_P(ChooseJobPageTest, PicksTheResolutionAndPaper)
{
    const PageCase& row = GetParam();
    const std::optional<JobPage> page = ChooseJobPage(row.printer, row.chosen);
    ASSERT_EQ(page.has_value(), row.resolution.has_value());
    if (page) {
        EXPECT_EQ(page->resolution, *row.resolution);
        EXPECT_EQ(page->media ? page->media->keyword : std::string(), row.media);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseJobPageTest,
    ::testing::Values(PageCase{"PrinterDefaults", Office(), {}, PrinterResolution{300, 300}, A4.keyword},
                      PageCase{"ChosenForThisPrinter",
                               Office(),
                               {"office", Letter.keyword, PrinterResolution{600, 600}},
                               PrinterResolution{600, 600},
                               Letter.keyword},
                      PageCase{"ChosenForAnotherPrinter",
                               Office(),
                               {"label", Letter.keyword, PrinterResolution{600, 600}},
                               PrinterResolution{300, 300},
                               A4.keyword},
                      PageCase{"ChosenNoLongerOffered",
                               Office(),
                               {"office", "iso_a5_148x210mm", PrinterResolution{1200, 1200}},
                               PrinterResolution{300, 300},
                               A4.keyword},
                      PageCase{"NoDefaultsFirstOffered",
                               {"office", {{600, 600}}, std::nullopt, {Letter}, std::nullopt, {}, false},
                               {},
                               PrinterResolution{600, 600},
                               Letter.keyword},
                      // Never a guessed resolution, also where the paper is known.
                      PageCase{"NoResolutionNamed", {"raw", {}, std::nullopt, {Letter}, Letter, {}, false}, {}, std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

class DrawLabelJobTest : public test::EngineTest {
};

TEST_F(DrawLabelJobTest, WithoutPaperSizesThePageIsTheLabel)
{
    LabelSetup.LabelWidth = 384;
    LabelSetup.LabelLength = 200;
    LabelImage.Resize(384, 200);
    const QByteArray pdf = DrawLabelJob(JobPage{PrinterResolution{203, 203}, std::nullopt}, 1, 2, "Label");
    const std::filesystem::path file = TempDir() / "job.pdf";
    QFile out(QString::fromStdString(file.string()));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pdf);
    out.close();
    const test::SpooledPdf job = test::ReadSpooledPdf(file);
    EXPECT_EQ(job.pages, 2);
    // 384 x 200 dots at 203 dpi, in points.
    EXPECT_NEAR(job.pageWidthPt, 384 * 72.0 / 203, 0.5);
    EXPECT_NEAR(job.pageHeightPt, 200 * 72.0 / 203, 0.5);
    // pdfimages lists the image once for each page that shows it.
    ASSERT_EQ(job.images.size(), 2u);
    for (const test::SpooledImage& image : job.images) {
        EXPECT_EQ(image.xPpi, 203);
    }
}

}  // namespace
}  // namespace zk
