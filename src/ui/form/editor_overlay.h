// The points editor overlay: a grey panel over the whole window with the
// editor graph, its scales, the reading box and the two buttons. Hidden until
// the points editor opens it.
#pragma once

class QFrame;
class QPushButton;
class QWidget;

namespace ign::ui {

class RasterSurface;
class ReadingBox;

class EditorOverlay {
public:
    explicit EditorOverlay(QWidget* form);

    QFrame* frame6() const { return frame6_; }
    RasterSurface* picture4() const { return picture4_; }
    RasterSurface* picture5() const { return picture5_; }
    RasterSurface* picture6() const { return picture6_; }
    ReadingBox* text7() const { return text7_; }
    QPushButton* command7() const { return command7_; }
    QPushButton* command8() const { return command8_; }

private:
    QFrame* frame6_ = nullptr;
    RasterSurface* picture4_ = nullptr;
    RasterSurface* picture5_ = nullptr;
    RasterSurface* picture6_ = nullptr;
    ReadingBox* text7_ = nullptr;
    QPushButton* command7_ = nullptr;
    QPushButton* command8_ = nullptr;
};

}  // namespace ign::ui
