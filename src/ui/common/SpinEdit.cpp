#include "common/SpinEdit.h"

#include <QLineEdit>

namespace vorlix {

SpinEdit::SpinEdit(QWidget *parent) : SpinEdit(0, 99, parent) {}

SpinEdit::SpinEdit(int minimum, int maximum, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
    setMaxLength(QString::number(maximum).size());
}

int SpinEdit::maxLength() const { return lineEdit()->maxLength(); }

void SpinEdit::setMaxLength(int characters) { lineEdit()->setMaxLength(characters); }

} // namespace vorlix
