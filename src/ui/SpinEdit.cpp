#include "SpinEdit.h"

#include <QLineEdit>

namespace vorlix {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
    setMaxLength(QString::number(maximum).size());
}

void SpinEdit::setMaxLength(int characters) { lineEdit()->setMaxLength(characters); }

} // namespace vorlix
