#pragma once
#include <QSpinBox>

// A spin edit whose typing is limited to a number of characters, while the
// arrows still reach every value of its range.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

    void setMaxTypedLength(int length) { maxTypedLength_ = length; }
    int maxTypedLength() const { return maxTypedLength_; }

protected:
    QValidator::State validate(QString& input, int& position) const override;

private:
    int maxTypedLength_ = 0;  // none
};
