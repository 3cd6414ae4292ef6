#pragma once
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;

// Panel7, the body of the filter panel. Only the sort order works; the filter
// fields are shown disabled and nothing reads them.
class FilterPanel : public QWidget {
    Q_OBJECT
public:
    explicit FilterPanel(QWidget* parent);

    RadioGroup* RadioGroup2 = nullptr;  // "Сортировка по:"
    RadioGroup* RadioGroup3 = nullptr;  // "Отображаемые данные:"
    RadioGroup* RadioGroup1 = nullptr;  // "Пол"
    QLineEdit* MaskEdit1 = nullptr;
    QLineEdit* MaskEdit2 = nullptr;
    QLineEdit* MaskEdit3 = nullptr;
    QLineEdit* MaskEdit4 = nullptr;
    QLineEdit* MaskEdit5 = nullptr;
    QPushButton* Button3 = nullptr;     // "Указать"
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* Button2 = nullptr;     // "Очистить"
    QPushButton* Button1 = nullptr;     // "Применить"

    // Puts every control back to its initial state, as "Очистить" does.
    void clear();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildFields();
    QLabel* label(const char* name, const char* caption, int x, int y);
    QLineEdit* field(const char* name, int x, int y);
};
