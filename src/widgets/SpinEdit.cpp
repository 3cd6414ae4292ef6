#include "widgets/SpinEdit.h"

QValidator::State SpinEdit::validate(QString& input, int& position) const
{
    if (maxTypedLength_ > 0 && input.size() > maxTypedLength_)
        return QValidator::Invalid;
    return QSpinBox::validate(input, position);
}
