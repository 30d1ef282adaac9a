// Background colours of input fields and combo boxes: the light red a refused
// value gets, and the normal one it returns to when the field takes the focus.
#pragma once

#include <QColor>

class QWidget;

namespace ign::ui {

inline const QColor kHighlightColour(255, 192, 192);
inline const QColor kWindowColour(191, 191, 191);
inline const QColor kPanelColour(224, 224, 224);
inline const QColor kPanelCaptionColour(0, 0, 192);
inline const QColor kComputeButtonColour(128, 255, 128);
inline const QColor kCancelButtonColour(255, 128, 128);
inline const QColor kSaveButtonColour(255, 255, 128);

void highlightField(QWidget* field);
void clearFieldHighlight(QWidget* field);
QColor fieldBackground(const QWidget* field);

// Window-like background of a panel, label or picture.
void setBackgroundColour(QWidget* widget, const QColor& colour);
void setButtonColour(QWidget* button, const QColor& colour);

}  // namespace ign::ui
