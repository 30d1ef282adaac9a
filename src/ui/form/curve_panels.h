// The tab strip "График 1" / "График 2" with the two panels it carries: the
// coefficients of the advance formula and the points every 1000 rpm. Both
// characteristics' fields always exist; the tab only decides which are seen.
#pragma once

#include <array>

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

    // The points panel's place and colour, and the fields of characteristic 2
    // moved exactly over those of characteristic 1.
    void placePointsPanel();
    void alignCoefficientFields();
    void alignPointFields();

    void readInto(Inputs& in) const;
    void applyFrom(const Inputs& in);

    InputField* text4(int index) const { return text4_[static_cast<std::size_t>(index)]; }
    InputField* text6(int index) const { return text6_[static_cast<std::size_t>(index)]; }
    QFrame* frame3() const { return frame3_; }
    QFrame* frame5() const { return frame5_; }

private:
    void buildCoefficients();
    void buildPoints();

    QWidget* form_;
    QTabWidget* tabStrip1_ = nullptr;
    QFrame* frame3_ = nullptr;
    QFrame* frame5_ = nullptr;
    std::array<InputField*, 6> text4_{};
    std::array<InputField*, 24> text6_{};
};

}  // namespace ign::ui
