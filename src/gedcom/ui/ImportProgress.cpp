#include "gedcom/ui/ImportProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

ImportProgress::ImportProgress(QWidget* parent) : parent_(parent)
{
    clock_.start();
}

ImportProgress::~ImportProgress() = default;

void ImportProgress::update(qint64 bytesRead, qint64 bytesTotal)
{
    if (!dialog_ && clock_.elapsed() < 500)
        return;
    // Percent, so that files beyond the range of an int work too.
    const int percent = bytesTotal > 0 ? int(bytesRead * 100 / bytesTotal) : 100;
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("Импорт файла..."), QString(), 0, 100, parent_);
        dialog_->setObjectName(QStringLiteral("ImportProgress"));
        dialog_->setWindowTitle(QStringLiteral("Импорт"));
        dialog_->setCancelButton(nullptr);
        dialog_->setMinimumDuration(0);
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->show();
    }
    dialog_->setLabelText(QStringLiteral("Прочитано %1 из %2 КБ").arg(bytesRead / 1024).arg(bytesTotal / 1024));
    dialog_->setValue(percent);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
