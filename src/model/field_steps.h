// Commands that overwrite many fields at once can be taken back, so that a
// slip costs nothing. They all write only the coefficient and point fields; a
// step keeps those texts from before and after the command and says how the
// main graph is redrawn when the step is taken back or done again: as the
// command itself redrew it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/inputs.h"

namespace ign {

struct EnginePreset;

struct CurveTexts {
    std::array<std::string, 6> text4{};
    std::array<std::string, 24> text6{};
    friend bool operator==(const CurveTexts&, const CurveTexts&) = default;
};

CurveTexts curveTexts(const Inputs& in);
// Puts the texts into the coefficient and point fields of `in`, leaving the
// others as they are.
void applyCurveTexts(const CurveTexts& texts, Inputs& in);

enum class MainGraphRedraw {
    None,  // the graph keeps what it shows
    GridOnly,  // cleared to its grid
    SelectedMethod,  // the curves by the selected calculation method
    ByPoints,  // the curves by points, whatever method is selected
};

enum class FieldCommand { Reset, EnginePreset, MapLoad, EditorApply };

struct FieldStep {
    std::string name;  // as the menu names it: "Отменить: Сброс"
    MainGraphRedraw redraw = MainGraphRedraw::None;
    CurveTexts before;
    CurveTexts after;
};

// The step a command made, or none when it changed no text. `preset` names
// the preset an EnginePreset command applied.
std::optional<FieldStep> fieldStep(FieldCommand command, const Inputs& before, const Inputs& after,
                                   const EnginePreset* preset = nullptr);

// The menu texts for taking back and doing again the step of that name; the
// bare verb when there is none.
std::string undoMenuText(const std::string& stepName);
std::string redoMenuText(const std::string& stepName);

}  // namespace ign
