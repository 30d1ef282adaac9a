#include "model/field_steps.h"

#include "model/presets.h"

namespace ign {
namespace {

std::string menuText(const char* verb, const std::string& stepName)
{
    return stepName.empty() ? verb : std::string(verb) + ": " + stepName;
}

}  // namespace

CurveTexts curveTexts(const Inputs& in)
{
    return {in.text4, in.text6};
}

void applyCurveTexts(const CurveTexts& texts, Inputs& in)
{
    in.text4 = texts.text4;
    in.text6 = texts.text6;
}

std::optional<FieldStep> fieldStep(FieldCommand command, const Inputs& before, const Inputs& after,
                                   const EnginePreset* preset)
{
    FieldStep step{{}, MainGraphRedraw::None, curveTexts(before), curveTexts(after)};
    if (step.before == step.after)
        return std::nullopt;
    switch (command) {
    case FieldCommand::Reset:
        step.name = "Сброс";
        step.redraw = MainGraphRedraw::GridOnly;
        break;
    case FieldCommand::EnginePreset:
        step.name = preset ? preset->caption : "";
        step.redraw = MainGraphRedraw::SelectedMethod;
        break;
    case FieldCommand::MapLoad:
        // Loading a map leaves the graph as it was until the next redraw.
        step.name = "Открытие графика";
        step.redraw = MainGraphRedraw::None;
        break;
    case FieldCommand::EditorApply:
        step.name = "Редактор точек";
        step.redraw = MainGraphRedraw::ByPoints;
        break;
    }
    return step;
}

std::string undoMenuText(const std::string& stepName)
{
    return menuText("Отменить", stepName);
}

std::string redoMenuText(const std::string& stepName)
{
    return menuText("Повторить", stepName);
}

}  // namespace ign
