#pragma once
// A numeric spin edit with up/down buttons: minimum, maximum, value and a
// maximum number of characters typed. A value outside the range shows as the
// nearest bound.
#include <QSpinBox>

namespace vorlix {

class SpinEdit : public QSpinBox {
    Q_OBJECT
    // Settable from a form file, as the range is.
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
public:
    // The range 0 to 99 of a plain spin box; a form sets its own.
    explicit SpinEdit(QWidget *parent = nullptr);
    explicit SpinEdit(int minimum, int maximum, QWidget *parent = nullptr);
    int maxLength() const;
    void setMaxLength(int characters);
};

} // namespace vorlix
