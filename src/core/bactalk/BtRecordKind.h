#pragma once
// Which record kind a BACtalk display record is, from its length and object
// code: the kinds the system writes have fixed lengths (the login pushbutton
// a range). Used by the readers of written displays (dump, picture).
#include "bactalk/BtDisplayLayout.h"

#include <cstdint>
#include <optional>

namespace vorlix::bt {

// `byte119` is the record's byte at offset 119 (the login mark ";").
std::optional<RecordKind> recordKindOf(int size, uint16_t code, uint8_t byte119);

} // namespace vorlix::bt
