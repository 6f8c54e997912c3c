#include "control/message_fields.h"

namespace zk::control {

char field_letter(FieldKind kind) {
    switch (kind) {
    case FieldKind::U8: return 'b';
    case FieldKind::U16:
    case FieldKind::I16: return 's';
    case FieldKind::U32:
    case FieldKind::I32: return 'l';
    case FieldKind::String: return 'c';
    case FieldKind::Data: return 'B';
    }
    return '?';
}

} // namespace zk::control
