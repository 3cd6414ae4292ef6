#pragma once
#include <QElapsedTimer>
#include <memory>

class QProgressDialog;
class QWidget;

// How much of the file has been read, shown only once an import has run for
// half a second. It has no cancel button: an import always runs to its end.
class ImportProgress {
public:
    explicit ImportProgress(QWidget* parent);
    ~ImportProgress();

    void update(qint64 bytesRead, qint64 bytesTotal);
    bool shown() const { return dialog_ != nullptr; }

private:
    QWidget* parent_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};
