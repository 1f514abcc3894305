#pragma once
// The busy cursor for the life of a block: shown on construction, the
// previous cursor back on destruction (also when the block ends by an error).
#include <QApplication>

namespace korva::ui {

class CursorOcupado {
public:
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;
};

}  // namespace korva::ui
