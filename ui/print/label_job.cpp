#include "ui/print/label_job.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "engine/print/printing.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/report/ui_services.h"

namespace zk {

namespace {

// The label as the job draws it: a copy, so that a redraw while the job
// lets window messages run cannot pull the pixels away.
QImage RenderedLabel()
{
    RedrawLabel(RedrawDriverPrint);
    const QImage view(reinterpret_cast<const uchar*>(LabelImage.Bits()), LabelImage.Width(), LabelImage.Height(),
                      LabelImage.BytesPerLine(), QImage::Format_RGB32);
    return view.copy();
}

QPageSize PageSizeOf(const JobPage& page)
{
    if (page.media) {
        return QPageSize(QSizeF(page.media->widthHmm / 100.0, page.media->lengthHmm / 100.0), QPageSize::Millimeter,
                         QString::fromStdString(page.media->name), QPageSize::ExactMatch);
    }
    const double inch = 25.4;
    return QPageSize(QSizeF(std::max(1, LabelImage.Width()) * inch / page.resolution.x,
                            std::max(1, LabelImage.Height()) * inch / page.resolution.y),
                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

bool Offers(const std::vector<PrinterResolution>& resolutions, const PrinterResolution& resolution)
{
    return std::find(resolutions.begin(), resolutions.end(), resolution) != resolutions.end();
}

}  // namespace

std::optional<JobPage> ChooseJobPage(const PrinterDescription& printer, const PrinterSettings& chosen)
{
    JobPage page;
    if (chosen.printer == printer.name && chosen.resolution && Offers(printer.resolutions, *chosen.resolution)) {
        page.resolution = *chosen.resolution;
    } else if (printer.defaultResolution) {
        page.resolution = *printer.defaultResolution;
    } else if (!printer.resolutions.empty()) {
        page.resolution = printer.resolutions.front();
    } else {
        return std::nullopt;
    }
    page.media = ChooseJobMedia(printer, chosen);
    return page;
}

std::optional<PrinterMedia> ChooseJobMedia(const PrinterDescription& printer, const PrinterSettings& chosen)
{
    const auto chosenMedia = std::find_if(printer.media.begin(), printer.media.end(), [&](const PrinterMedia& media) {
        return chosen.printer == printer.name && media.keyword == chosen.media;
    });
    if (chosenMedia != printer.media.end()) {
        return *chosenMedia;
    }
    if (printer.defaultMedia) {
        return printer.defaultMedia;
    }
    if (!printer.media.empty()) {
        return printer.media.front();
    }
    return std::nullopt;
}

QByteArray DrawLabelJob(const JobPage& page, int sets, int copies, const QString& title)
{
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setTitle(title);
        writer.setCreator("ZKedit");
        writer.setResolution(page.resolution.x);
        // The printer reports the paper's edges itself; none are added here.
        writer.setPageLayout(
            QPageLayout(PageSizeOf(page), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        QPainter painter(&writer);
        // Bars and text edges reach the print system as drawn, never blurred by JPEG.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        // The painter's units are the printer's dots, also where they are not square.
        painter.scale(1.0, static_cast<double>(page.resolution.x) / page.resolution.y);
        for (int set = 1; set <= sets; ++set) {
            const QImage label = RenderedLabel();
            for (int copy = 1; copy <= copies; ++copy) {
                Ui().ProcessMessages();
                painter.drawImage(0, 0, label);
                Ui().ProcessMessages();
                if (set < sets || copy < copies) {
                    writer.newPage();
                }
            }
            IncrementCounters(1);
        }
    }
    return document.data();
}

}  // namespace zk
