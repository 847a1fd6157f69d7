#include "edit/session.h"

namespace tessaly {

void setTile(EditSession& session, int column, int row, int32_t value) {
    recordChange(session.history, PlaneKind::Tile, column, row,
                 tileCell(session.level, column, row), value);
    setTileCell(session.level, column, row, value);
}

void setObject(EditSession& session, int column, int row, int32_t value) {
    recordChange(session.history, PlaneKind::Object, column, row,
                 objectCell(session.level, column, row), value);
    setObjectCell(session.level, column, row, value);
}

} // namespace tessaly
