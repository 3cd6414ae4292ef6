#pragma once
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A framed group of radio buttons with one selected item, laid out in columns.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

    int itemIndex() const;
    void setItemIndex(int index);
    QString itemText(int index) const;

Q_SIGNALS:
    void itemSelected(int index);

private:
    QButtonGroup* buttons_;
};
