#pragma once
// The device models the step 10 grid offers for `devmodel`, in list order.
// Entries written with dashes ("--TUX--") are group headings.
#include <QStringList>

namespace vorlix {

const QStringList &devModels();
bool isDevModelHeading(const QString &entry);

} // namespace vorlix
