// The tab strip "График 1" / "График 2" with the two panels it carries: the
// coefficients of the advance formula and the points every 1000 rpm. Both
// characteristics' fields exist together; the tab only decides which are seen.
// The points panel is built when first shown or just after the window's
// first picture; until then its texts are kept here as its fields would.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "model/inputs.h"

class QFrame;
class QLabel;
class QTabWidget;
class QWidget;

namespace ign::ui {

class InputField;

class CurvePanels {
public:
    explicit CurvePanels(QWidget* form);

    QTabWidget* tabStrip() const { return tabStrip1_; }
    // 1 for "График 1", 2 for "График 2".
    int selectedTab() const;
    // The fields of the selected tab's characteristic visible, the others not.
    void showSelectedCharacteristic();
    void showMethod(bool byCoefficients);
    void buildPointsPanel();
    // Called for each key released in a point field.
    std::function<void()> pointKeyReleased;

    // The fields of characteristic 2 moved exactly over those of
    // characteristic 1.
    void alignCoefficientFields();

    void readInto(Inputs& in) const;
    void applyFrom(const Inputs& in);
    // Only the fields of the points the graphs draw.
    void applyPointsFrom(const Inputs& in);

    InputField* text4(int index) const { return text4_[static_cast<std::size_t>(index)]; }

private:
    InputField* text6(int index) const { return text6_[static_cast<std::size_t>(index)]; }
    void buildCoefficients();
    void showSelectedPoints();
    void setPointText(std::size_t field, const std::string& text);

    QWidget* form_;
    QTabWidget* tabStrip1_ = nullptr;
    QFrame* frame3_ = nullptr;
    QFrame* frame5_ = nullptr;
    std::array<InputField*, 6> text4_{};
    std::array<InputField*, 24> text6_{};  // null until the points panel is built
    std::array<std::string, 24> keptText6_{};
};

}  // namespace ign::ui
