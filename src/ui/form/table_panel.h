// The table panel: per-entry advance fields of both characteristics. It lies
// below the visible area and is never shown; its fields only carry their
// lines of the settings file from one run to the next.
#pragma once

#include <array>

#include "model/inputs.h"

class QFrame;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace ign::ui {

class TablePanel {
public:
    explicit TablePanel(QWidget* form);

    void readInto(Inputs& in) const;
    void applyFrom(const Inputs& in);

private:
    QFrame* frame4_ = nullptr;
    QScrollBar* vScroll1_ = nullptr;
    std::array<QLineEdit*, 60> text5_{};
};

}  // namespace ign::ui
