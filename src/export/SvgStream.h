#pragma once
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

class QIODevice;
class SvgStreamEngine;

// An SVG drawing written element by element as it is painted, so that a chart
// of any size takes no more memory than one element: each picture is embedded
// once and then referred to. Units are device pixels at 72 per inch, the
// viewBox is the whole size.
class SvgStream : public QPaintDevice {
public:
    SvgStream(QIODevice& output, QSize size, const QString& title);
    ~SvgStream() override;

    QPaintEngine* paintEngine() const override;
    // A write to the output failed; everything after it was dropped.
    bool failed() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<SvgStreamEngine> engine_;
};

// The text as XML character data or attribute value: markup characters
// escaped, characters XML cannot carry left out.
QByteArray xmlEscaped(const QString& text);
