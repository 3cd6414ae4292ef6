#include "platform/RussianFileChooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMimeDatabase>

namespace {

// The chooser's columns: name, size, type, date modified.
enum Column { SizeColumn = 1, TypeColumn = 2, DateColumn = 3 };

class RussianFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() < SizeColumn || index.column() > DateColumn)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case SizeColumn:
            return info.isDir() ? QString() : russianDataSize(info.size());
        case TypeColumn:
            return info.isDir() ? QStringLiteral("Папка") : QMimeDatabase().mimeTypeForFile(info).comment();
        default:
            return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
        }
    }
};

} // namespace

void speakRussian(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new RussianFileColumns(&dialog));
}

QString russianDataSize(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 байт").arg(bytes);
    static const char* const units[] = {"КБ", "МБ", "ГБ", "ТБ"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    // Three significant digits, as Qt's own sizes show them.
    const int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals) + QLatin1Char(' ') + QString::fromUtf8(units[unit]);
}
