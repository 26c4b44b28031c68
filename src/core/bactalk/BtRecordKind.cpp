#include "bactalk/BtRecordKind.h"

namespace vorlix::bt {

std::optional<RecordKind> recordKindOf(int size, uint16_t code, uint8_t byte119)
{
    switch (size) {
    case txt::RecordSize:
        return code == 0x0103 ? RecordKind::Checkbox : code == 0x060C ? RecordKind::GroupBox : RecordKind::Text;
    case val::RecordSize:
        return code == 0x0105 ? RecordKind::PromptedValue : RecordKind::ReadOnlyValue;
    case dt::RecordSize:
        return RecordKind::DateTime;
    case gfx::RecordSize5:
        return code == 0x0109 ? RecordKind::AnimatedGraphic : RecordKind::StaticGraphic;
    case gfx::RecordSize8:
        return RecordKind::AnalogGraphic;
    case btn::RecordSize:
        return RecordKind::Button;
    default:
        break;
    }
    if (size > login::Caption && size <= login::MaxSize && byte119 == ';')
        return RecordKind::Login;
    return std::nullopt;
}

} // namespace vorlix::bt
