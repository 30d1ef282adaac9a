// The tab strip "График 1" / "График 2" with the two panels it carries: the
// coefficients of the advance formula and the points every 1000 rpm. Both
// characteristics' fields exist together; the tab only decides which are seen.
// The points panel is built when first shown or just after the window's
// first picture, and shows the inputs as they are then.
#pragma once

#include <array>

#include <QObject>

class QFrame;
class QTabWidget;
class QWidget;

namespace ign::ui {

class FieldBinder;
class InputField;

class CurvePanels : public QObject {
    Q_OBJECT

public:
    CurvePanels(QWidget* form, FieldBinder& binder);

    // 1 for "График 1", 2 for "График 2".
    int selectedTab() const;
    // The fields of the selected tab's characteristic visible, the others not.
    void showSelectedCharacteristic();
    void showMethod(bool byCoefficients);
    void buildPointsPanel();

    // The fields of characteristic 2 moved exactly over those of
    // characteristic 1.
    void alignCoefficientFields();

signals:
    // A key was let go in a coefficient field, or in a point field.
    void coefficientKeyReleased();
    void pointKeyReleased();
    // The user chose the other tab.
    void tabChanged();

private:
    InputField* text4(int index) const { return text4_[static_cast<std::size_t>(index)]; }
    InputField* text6(int index) const { return text6_[static_cast<std::size_t>(index)]; }
    void buildCoefficients();
    void showSelectedPoints();

    QWidget* form_;
    FieldBinder& binder_;
    QTabWidget* tabStrip1_ = nullptr;
    QFrame* frame3_ = nullptr;
    QFrame* frame5_ = nullptr;
    std::array<InputField*, 6> text4_{};
    std::array<InputField*, 24> text6_{};  // null until the points panel is built
};

}  // namespace ign::ui
