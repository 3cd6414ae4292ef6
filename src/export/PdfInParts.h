#pragma once
#include <QPageLayout>
#include <QPaintDevice>
#include <QString>
#include <memory>
#include <optional>

class QIODevice;
class PdfInPartsEngine;

// A one-page PDF written as it is painted. QPdfWriter keeps a page's whole
// content in memory; here every so many drawing calls its content is closed
// and joined to the page as a part of its own, so that memory stays that of
// one part whatever the drawing. The parts are drawn in the order painted.
class PdfInParts : public QPaintDevice {
public:
    PdfInParts(QIODevice& output, const QPageLayout& page, const QString& title, int callsPerPart = 50000);
    ~PdfInParts() override;

    QPaintEngine* paintEngine() const override;
    // Why the document is not whole, in Russian; nothing when it is.
    std::optional<QString> failure() const;
    int parts() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<PdfInPartsEngine> engine_;
};
