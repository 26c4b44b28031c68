#pragma once
// A numeric spin edit with up/down buttons: minimum, maximum, value and a
// maximum number of characters typed. A value outside the range shows as the
// nearest bound.
#include <QSpinBox>

namespace vorlix {

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(int minimum, int maximum, QWidget *parent = nullptr);
    void setMaxLength(int characters);
};

} // namespace vorlix
